#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UITouch.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class UIView;
class UITouchDispatcher;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;
typedef struct _cairo_surface cairo_surface_t;

// The screen on the desktop: an SDL window the size of the device, showing a view tree
// (normally the application's UIWindow) drawn with cairo.
//
// Input: the left mouse button is a finger (press, drag, release) sent through hit-testing
// as the test harness sends it; the wheel scrolls the scroll view under the pointer; typed
// text, Backspace, Return, the arrows and paste go to the first responder; dropped files go
// to DroppedFiles. Closing the window ends the loop.
//
// Frames are drawn only when something may have changed: after input, after the run loop ran
// a block, while an animation runs or a caret blinks, and when the window is exposed.
class DesktopWindow {
  public:
    struct Options {
        std::string title = "Melodrift";
        // Window pixels per point; 0 picks one from the display (and fits the screen).
        double zoom = 0;
        bool hidden = false;
    };
    // How touches reach the tree; by default a dispatcher over the root view.
    using TouchSink = std::function<void(UITouchPhase phase, CGPoint point)>;

    DesktopWindow(std::shared_ptr<UIView> root, Options options);
    DesktopWindow(std::shared_ptr<UIView> root) : DesktopWindow(std::move(root), Options{}) {}
    ~DesktopWindow();
    DesktopWindow(const DesktopWindow&) = delete;
    DesktopWindow& operator=(const DesktopWindow&) = delete;

    // Why no window can be opened here (no display, no video driver), or nothing when one can.
    static std::optional<std::string> displayProblem();

    // Opens the window; false with a reason when it cannot.
    bool open(std::string* error = nullptr);
    // Runs the loop until the window is closed or stop() is called.
    void run();
    void stop() { running_ = false; }
    bool isOpen() const { return window_ != nullptr; }
    // One turn: waits up to `maxWait` seconds for input or work, handles it, draws if needed.
    // False once the window has been closed.
    bool step(double maxWait);

    void setTouchSink(TouchSink sink) { touchSink_ = std::move(sink); }
    void setNeedsDisplay() { dirty_ = true; }
    // Called with every dropped path (after it is kept in DroppedFiles).
    std::function<void(const std::string& path)> onDrop;

    uint32_t windowID() const;
    double zoom() const { return zoom_; }
    int framesDrawn() const { return frames_; }
    // Seconds from open() to the first frame on screen; negative before it.
    double firstFrameSeconds() const { return firstFrame_; }
    // The colour of a window pixel under a point of the last frame drawn (r, g, b).
    std::optional<uint32_t> framePixel(CGPoint point) const;
    SDL_Window* sdlWindow() const { return window_; }

  private:
    void handle(const SDL_Event& event);
    void handleMouse(const SDL_Event& event);
    void handleWheel(const SDL_Event& event);
    void handleKey(const SDL_Event& event);
    void handleText(const std::string& text);
    void draw();
    void ensureSurface();
    int waitMilliseconds(double maxWait) const;
    CGPoint toPoints(int x, int y) const { return {x / zoom_, y / zoom_}; }
    void sendTouch(UITouchPhase phase, CGPoint point);

    std::shared_ptr<UIView> root_;
    Options options_;
    std::unique_ptr<UITouchDispatcher> dispatcher_;
    TouchSink touchSink_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    cairo_surface_t* surface_ = nullptr;
    int pixelWidth_ = 0, pixelHeight_ = 0;
    double zoom_ = 1;
    double pixelScale_ = 1;
    bool running_ = false;
    bool dirty_ = true;
    bool animating_ = false;
    bool timed_ = false;
    bool fingerDown_ = false;
    CGPoint pointer_;
    int frames_ = 0;
    double openedAt_ = 0;
    double firstFrame_ = -1;
    double lastFrame_ = 0;
};
