#include "platform/web/WebWindow.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/web/PassLoop.h"
#include "platform/web/WebRender.h"

extern "C" {
int bm_page_width();
int bm_page_height();
void bm_page_cursor(const char* canvas, bool show);
void bm_page_pointer(const char* canvas, const char* path, double width, double height, double hotX, double hotY);
}

namespace bm {

namespace {

// A finger held this long within this many page pixels of where it went down is a right click.
constexpr double kHeldTouchMs = 600;
constexpr double kHeldTouchSlack = 10;
// A lifted finger's pointer leaves the canvas this long after the lift (a few passes see the lift first).
constexpr double kLiftedLeaveMs = 120;

WebWindow* Self(void* user) { return static_cast<WebWindow*>(user); }

EM_BOOL MouseDown(int, const EmscriptenMouseEvent* e, void* user) {
  // DOM buttons: 0 left, 1 middle, 2 right.
  int button = e->button == 0 ? 1 : e->button == 2 ? 2 : 0;
  Self(user)->OnPointer(double(e->targetX), double(e->targetY));
  Self(user)->OnButton(button, true);
  WakePasses();
  return EM_TRUE;
}

// On the whole window: a button let go outside the canvas is up as well.
EM_BOOL MouseUp(int, const EmscriptenMouseEvent* e, void* user) {
  Self(user)->OnButton(e->button == 0 ? 1 : e->button == 2 ? 2 : 0, false);
  WakePasses();
  return EM_FALSE;
}

EM_BOOL MouseMove(int, const EmscriptenMouseEvent* e, void* user) {
  Self(user)->OnPointer(double(e->targetX), double(e->targetY));
  WakePasses();
  return EM_FALSE;
}

EM_BOOL MouseLeave(int, const EmscriptenMouseEvent*, void* user) {
  Self(user)->OnLeave();
  WakePasses();
  return EM_FALSE;
}

// The first finger is the mouse's left button; other fingers are ignored.
EM_BOOL Touch(int type, const EmscriptenTouchEvent* e, void* user) {
  using Finger = WebWindow::Finger;
  Finger what = type == EMSCRIPTEN_EVENT_TOUCHSTART  ? Finger::Down
                : type == EMSCRIPTEN_EVENT_TOUCHMOVE ? Finger::Move
                                                     : Finger::Up;
  for (int i = 0; i < e->numTouches; ++i) {
    const EmscriptenTouchPoint& t = e->touches[i];
    if (t.isChanged) Self(user)->OnTouch(what, t.identifier, double(t.targetX), double(t.targetY));
  }
  WakePasses();
  return EM_TRUE;  // no scrolling, no zoom, no mouse events made up from the touch
}

EM_BOOL Key(int type, const EmscriptenKeyboardEvent* e, void* user) {
  bool handled = Self(user)->OnKey(e->keyCode, e->key, type == EMSCRIPTEN_EVENT_KEYDOWN, e->ctrlKey || e->metaKey);
  WakePasses();
  return handled;
}

EM_BOOL Focus(int type, const EmscriptenFocusEvent*, void* user) {
  Self(user)->OnFocus(type == EMSCRIPTEN_EVENT_FOCUS);
  WakePasses();
  return EM_FALSE;
}

EM_BOOL Visibility(int, const EmscriptenVisibilityChangeEvent* e, void* user) {
  Self(user)->OnHidden(e->hidden);
  WakePasses();
  return EM_FALSE;
}

EM_BOOL Resize(int, const EmscriptenUiEvent* e, void* user) {
  Self(user)->OnResize(e->windowInnerWidth, e->windowInnerHeight);
  WakePasses();
  return EM_FALSE;
}

EM_BOOL FullScreenChange(int, const EmscriptenFullscreenChangeEvent* e, void* user) {
  Self(user)->OnFullScreen(e->isFullscreen);
  WakePasses();
  return EM_FALSE;
}

}  // namespace

WebWindow::WebWindow() {
  const char* c = kCanvasSelector;
  const char* w = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_mousedown_callback(c, this, true, MouseDown);
  emscripten_set_mouseup_callback(w, this, true, MouseUp);
  emscripten_set_mousemove_callback(c, this, true, MouseMove);
  emscripten_set_mouseleave_callback(c, this, true, MouseLeave);
  emscripten_set_touchstart_callback(c, this, true, Touch);
  emscripten_set_touchmove_callback(c, this, true, Touch);
  emscripten_set_touchend_callback(c, this, true, Touch);
  emscripten_set_touchcancel_callback(c, this, true, Touch);
  emscripten_set_keydown_callback(w, this, true, Key);
  emscripten_set_keyup_callback(w, this, true, Key);
  emscripten_set_focus_callback(w, this, true, Focus);
  emscripten_set_blur_callback(w, this, true, Focus);
  emscripten_set_visibilitychange_callback(this, true, Visibility);
  emscripten_set_resize_callback(w, this, true, Resize);
  emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, true, FullScreenChange);
  EmscriptenVisibilityChangeEvent v;
  if (emscripten_get_visibility_status(&v) == EMSCRIPTEN_RESULT_SUCCESS) hidden_ = v.hidden;
}

WebWindow::~WebWindow() { emscripten_html5_remove_all_event_listeners(); }

void WebWindow::Wake() { WakePasses(); }

bool WebWindow::TakeCloseRequest() {
  bool take = PageClosing() && !closeTaken_;
  closeTaken_ = closeTaken_ || take;
  return take;
}

void WebWindow::Fit(double pageWidth, double pageHeight, CanvasBox& box, CanvasPixels& pixels) const {
  box = FitCanvas(pageWidth, pageHeight, shapeW_, shapeH_);
  pixels = PixelsOf(box, emscripten_get_device_pixel_ratio());
}

void WebWindow::ShowBox() {
  emscripten_set_element_css_size(kCanvasSelector, box_.width, box_.height);
  if (!pointerPath_.empty()) ShowPointerPicture(pointerPath_, pointerBox_);
}

bool WebWindow::SetMode(int width, int height, bool fullScreen) {
  if (width <= 0 || height <= 0) return false;
  shapeW_ = width;
  shapeH_ = height;
  CanvasPixels pixels;
  Fit(bm_page_width(), bm_page_height(), box_, pixels);
  if (pixels.width <= 0) pixels = {width, height};  // a page of no size yet: as asked
  width_ = pixels.width;
  height_ = pixels.height;
  // A canvas given a size, even the one it has, makes its WebGL drawing buffer anew (most of a second on a
  // software renderer): the page made the context at the likely size already (page.js).
  int nowW = 0, nowH = 0;
  if (emscripten_get_canvas_element_size(kCanvasSelector, &nowW, &nowH) != EMSCRIPTEN_RESULT_SUCCESS ||
      nowW != width_ || nowH != height_)
    emscripten_set_canvas_element_size(kCanvasSelector, width_, height_);
  ShowBox();
  EmscriptenFullscreenChangeEvent now;
  bool isFull = emscripten_get_fullscreen_status(&now) == EMSCRIPTEN_RESULT_SUCCESS && now.isFullscreen;
  // The browser leaves full screen with the page's canvas as it is; the fit follows the resize.
  if (fullScreen && !isFull) emscripten_request_fullscreen(kStageSelector, EM_TRUE);
  if (!fullScreen && isFull) emscripten_exit_fullscreen();
  return true;
}

void WebWindow::OnResize(double pageWidth, double pageHeight) {
  // The box follows at once; the canvas's pixels with the program's next pass
  // (the size drawn changes: the display follows).
  CanvasPixels pixels;
  Fit(pageWidth, pageHeight, box_, pixels);
  ShowBox();
  width_ = pixels.width;
  height_ = pixels.height;
  if (change_ == DisplayChange::None) change_ = DisplayChange::Resized;
}

int WebWindow::DesktopWidth() {
  CanvasBox box = FitCanvas(bm_page_width(), bm_page_height(), kDesktopShapeW, kDesktopShapeH);
  return PixelsOf(box, emscripten_get_device_pixel_ratio()).width;
}

int WebWindow::DesktopHeight() {
  CanvasBox box = FitCanvas(bm_page_width(), bm_page_height(), kDesktopShapeW, kDesktopShapeH);
  return PixelsOf(box, emscripten_get_device_pixel_ratio()).height;
}

Window::DisplayChange WebWindow::TakeDisplayChange() { return std::exchange(change_, DisplayChange::None); }

void WebWindow::ShowCursor(bool show) { bm_page_cursor(kCanvasSelector, show); }

bool WebWindow::ShowPointerPicture(const std::string& path, const Rect& box) {
  pointerPath_ = path;
  pointerBox_ = box;
  // Page pixels per canvas pixel.
  double scale = width_ > 0 && box_.width > 0 ? box_.width / width_ : 1;
  bm_page_pointer(kCanvasSelector, path.c_str(), (box.right - box.left) * scale, (box.bottom - box.top) * scale,
                  -box.left * scale, -box.top * scale);
  return true;
}

bool WebWindow::TakeDeviceReset() { return device_ && device_->TakeRestored(); }

void WebWindow::OnPointer(double canvasX, double canvasY) {
  input_.MovePointer(CanvasToPicture(canvasX, canvasY, box_, width_, height_));
  if (input_.MoveWaiting()) WakePasses();
}

void WebWindow::OnTouch(Finger what, long id, double canvasX, double canvasY) {
  if (what == Finger::Down && finger_ < 0) {
    finger_ = id;
    fingerSince_ = emscripten_get_now();
    fingerFrom_ = {canvasX, canvasY};
    OnPointer(canvasX, canvasY);
    OnButton(1, true);
    // Still there and unmoved after a while: a right click (gives an armed hook or sun back).
    emscripten_set_timeout([](void* user) { Self(user)->OnTouchHeld(Self(user)->fingerSince_); }, kHeldTouchMs,
                           this);
    return;
  }
  if (id != finger_) return;
  OnPointer(canvasX, canvasY);
  if (what == Finger::Up) {
    OnButton(1, false);
    finger_ = -1;
    // A lifted finger hovers nothing (a jewel under a resting pointer shimmers
    // on): the pointer leaves once the lift has been seen.
    emscripten_set_timeout([](void* user) {
      if (Self(user)->finger_ >= 0) return;
      Self(user)->OnLeave();
      WakePasses();
    }, kLiftedLeaveMs, this);
  }
}

void WebWindow::OnTouchHeld(double since) {
  if (finger_ < 0 || since != fingerSince_) return;
  PointD at = input_.pointer;
  PointD from = CanvasToPicture(fingerFrom_.x, fingerFrom_.y, box_, width_, height_);
  double slack = kHeldTouchSlack * width_ / std::max(1.0, box_.width);
  if (std::hypot(at.x - from.x, at.y - from.y) > slack) return;
  OnButton(2, true);
  OnButton(2, false);
  WakePasses();
}

void WebWindow::PressOnce(int virtualKey) {
  input_.SetKey(virtualKey, true, true);
  input_.SetKey(virtualKey, false, true);
  WakePasses();
}

bool WebWindow::OnKey(unsigned long keyCode, const char* key, bool down, bool command) {
  int v = VirtualKeyOfKeyCode(keyCode);
  input_.SetKey(v, down, true);
  const std::string typed = down && textInput_ && !command ? TypedTextOfKey(key) : std::string();
  input_.typed += typed;
  // The browser keeps its own keys: reload (F5), its tools (F12) and every shortcut.
  bool browsers = command || v == vk::F5 || v == vk::F12;
  return (v >= 0 || !typed.empty()) && !browsers;
}

}  // namespace bm
