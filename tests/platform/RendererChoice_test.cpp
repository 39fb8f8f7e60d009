// Which renderer draws the window: software on a machine without a GPU to
// draw with, GL otherwise, and what the player asks for wins.
#include "platform/RendererChoice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/TempDir.h"

namespace fs = std::filesystem;

namespace bm {
namespace {

// A stand-in for /dev, its nodes empty files.
struct FakeDev : test::TempDir {
  fs::path root = path;
  void Node(const std::string& rel) {
    fs::create_directories((root / rel).parent_path());
    std::ofstream(root / rel) << "";
  }
};

TEST(RendererChoice, OnlyAGraphicsNodeCountsAsAGpuSoftwareWithoutOneAndWhatThePlayerAsksWins) {
  FakeDev dev;
  EXPECT_FALSE(HasGpuDeviceNode(dev.root.string())) << "no /dev/dri at all";
  dev.Node("dri/by-path/pci-0000:00:02.0-card");
  dev.Node("nvidiactl");
  dev.Node("nvidia-uvm");
  EXPECT_FALSE(HasGpuDeviceNode(dev.root.string())) << "links folder and NVIDIA's control nodes are no GPU";
  dev.Node("dri/renderD128");
  EXPECT_TRUE(HasGpuDeviceNode(dev.root.string()));
  FakeDev nvidia;
  nvidia.Node("nvidia0");
  EXPECT_TRUE(HasGpuDeviceNode(nvidia.root.string()));
  EXPECT_FALSE(HasGpuDeviceNode((dev.root / "missing").string()));
  // Software without a GPU or with a software GL; what the player asks wins.
  EXPECT_TRUE(ChooseRenderer(RendererRequest::Auto, false, false).software);
  EXPECT_FALSE(ChooseRenderer(RendererRequest::Auto, false, true).software);
  EXPECT_TRUE(ChooseRenderer(RendererRequest::Auto, true, true).software) << "data.ini forces software";
  EXPECT_FALSE(ChooseRenderer(RendererRequest::Gl, true, false).software) << "the command line wins";
  EXPECT_TRUE(ChooseRenderer(RendererRequest::Software, false, true).software);

  // Mesa's software rasterizers give themselves away in GL's renderer string.
  for (const char* gl : {"llvmpipe (LLVM 15.0.6, 256 bits)", "Mesa Software Rasterizer", "softpipe"})
    EXPECT_TRUE(ReviewGlRenderer(RendererRequest::Auto, gl).software) << gl;
  EXPECT_FALSE(ReviewGlRenderer(RendererRequest::Auto, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)").software);
  EXPECT_FALSE(ReviewGlRenderer(RendererRequest::Gl, "llvmpipe (LLVM 15.0.6, 256 bits)").software)
      << "GL asked for stays GL";
  for (auto c : {ChooseRenderer(RendererRequest::Auto, false, false),
                 ReviewGlRenderer(RendererRequest::Auto, "llvmpipe")})
    EXPECT_FALSE(c.reason.empty());
}

}  // namespace
}  // namespace bm
