#include "platform/RendererChoice.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace bm {

bool ParseRendererRequest(const std::string& text, RendererRequest& out) {
  if (text == "auto") out = RendererRequest::Auto;
  else if (text == "gl") out = RendererRequest::Gl;
  else if (text == "software") out = RendererRequest::Software;
  else return false;
  return true;
}

namespace {

bool CanOpen(const fs::path& p) {
  int fd = open(p.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

bool HasGpuDeviceNode(const std::string& devRoot) {
  std::error_code ec;
  fs::path dri = fs::path(devRoot) / "dri";
  for (fs::directory_iterator it(dri, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if ((StartsWith(name, "renderD") || StartsWith(name, "card")) && CanOpen(it->path())) return true;
  }
  ec.clear();
  for (fs::directory_iterator it(devRoot, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    // nvidia0, nvidia1...: the cards themselves, not nvidiactl or nvidia-uvm.
    if (StartsWith(name, "nvidia") && name.size() > 6 && std::isdigit((unsigned char)name[6]) &&
        CanOpen(it->path()))
      return true;
  }
  return false;
}

bool IsSoftwareRasterizer(const std::string& glRenderer) {
  std::string s = glRenderer;
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  for (const char* name : {"llvmpipe", "softpipe", "software rasterizer", "swrast", "lavapipe"})
    if (s.find(name) != std::string::npos) return true;
  return false;
}

RendererChoice ChooseRenderer(RendererRequest request, bool forceReference, bool gpuNode) {
  switch (request) {
    case RendererRequest::Gl: return {false, "asked for on the command line"};
    case RendererRequest::Software: return {true, "asked for on the command line"};
    case RendererRequest::Auto: break;
  }
  if (forceReference) return {true, "Force Reference Rasterizer (REF) is TRUE in data.ini"};
  if (!gpuNode) return {true, "no graphics device node to open (/dev/dri, /dev/nvidia*): GL would draw on the processor too"};
  return {false, "a graphics device is present"};
}

RendererChoice ReviewGlRenderer(RendererRequest request, const std::string& glRenderer) {
  if (request == RendererRequest::Auto && IsSoftwareRasterizer(glRenderer))
    return {true, "the GL renderer \"" + glRenderer + "\" draws on the processor"};
  return {false, "GL draws on \"" + glRenderer + "\""};
}

}  // namespace bm
