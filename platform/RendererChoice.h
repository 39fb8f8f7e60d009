// Which renderer draws the window: the GPU through OpenGL, or SDL's own
// software renderer. A GPU-less machine draws in software from the start:
// software GL (llvmpipe) costs a hundred megabytes of its own and draws no faster.
#pragma once
#include <string>

namespace bm {

enum class RendererRequest { Auto, Gl, Software };

// "auto", "gl" or "software"; false for anything else.
bool ParseRendererRequest(const std::string& text, RendererRequest& out);

struct RendererChoice {
  bool software = false;
  std::string reason;  // for the run log
};

// A graphics device node this process may open (DRM render or card nodes,
// NVIDIA's own), under devRoot ("/dev").
bool HasGpuDeviceNode(const std::string& devRoot = "/dev");

// A GL renderer string that names a rasterizer running on the processor.
bool IsSoftwareRasterizer(const std::string& glRenderer);

// The choice before the window exists. forceReference is data.ini's
// "Force Reference Rasterizer"; a request on the command line wins over it.
RendererChoice ChooseRenderer(RendererRequest request, bool forceReference, bool gpuNode);

// After a GL renderer was made: whether to give it up for the software one.
RendererChoice ReviewGlRenderer(RendererRequest request, const std::string& glRenderer);

}  // namespace bm
