#include "Render/DesktopWindow.h"

#include "Foundation/Bundle.h"
#include "Foundation/RunLoop.h"
#include "Render/ImageRenderer.h"
#include "Render/LayerRenderer.h"
#include "Render/Snapshot.h"
#include "Services/DroppedFiles.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UITextField.h"
#include "UIKit/UITouchDispatcher.h"
#include "UIKit/UIView.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <cairo.h>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double frameInterval = 1.0 / 60;
// A blinking caret needs far fewer frames than an animation.
constexpr double timedInterval = 0.1;
constexpr double wheelStep = 40;

// One wake event at a time is enough: it only breaks the wait for input.
std::atomic<bool> wakePending{false};
uint32_t wakeEventType = 0;

void pushWake() {
    if (wakeEventType == 0 || wakePending.exchange(true))
        return;
    SDL_Event e{};
    e.type = wakeEventType;
    SDL_PushEvent(&e);
}

UIKeyInput* keyInput() {
    return dynamic_cast<UIKeyInput*>(UIResponder::currentFirstResponder().get());
}

UITextField* focusedField() {
    return dynamic_cast<UITextField*>(UIResponder::currentFirstResponder().get());
}

// The pixels per point the display wants: its density, else 1; never taller than the screen.
double pickZoom(double requested, CGSize points) {
    double zoom = requested;
    if (zoom <= 0) {
        if (const char* env = std::getenv("MELODRIFT_ZOOM"))
            zoom = std::atof(env);
    }
    if (zoom <= 0) {
        float ddpi = 0, hdpi = 0, vdpi = 0;
        zoom = SDL_GetDisplayDPI(0, &ddpi, &hdpi, &vdpi) == 0 && hdpi > 0
                   ? std::max(1.0, std::round(hdpi / 96.0 * 2) / 2)
                   : 1.0;
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.h > 100 &&
            points.height * zoom > usable.h - 48)
            zoom = (usable.h - 48) / points.height;
    }
    return std::clamp(zoom, 0.25, 4.0);
}

void setIcon(SDL_Window* window) {
    auto icon = UIImage::named("app_icon");
    if (!icon)
        return;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
    cairo_t* cr = cairo_create(s);
    ImageRenderer::shared().draw(cr, *icon, {0, 0, 64, 64});
    cairo_destroy(cr);
    cairo_surface_flush(s);
    SDL_Surface* sdl = SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(s), 64, 64,
                                                          32, cairo_image_surface_get_stride(s),
                                                          SDL_PIXELFORMAT_ARGB8888);
    if (sdl) {
        SDL_SetWindowIcon(window, sdl);
        SDL_FreeSurface(sdl);
    }
    cairo_surface_destroy(s);
}

} // namespace

DesktopWindow::DesktopWindow(std::shared_ptr<UIView> root, Options options)
    : root_(std::move(root)), options_(std::move(options)),
      dispatcher_(std::make_unique<UITouchDispatcher>(root_)) {}

DesktopWindow::~DesktopWindow() {
    RunLoop::main().setWakeHandler(nullptr);
    if (surface_)
        cairo_surface_destroy(surface_);
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    if (window_) {
        SDL_StopTextInput();
        SDL_DestroyWindow(window_);
        // The video subsystem stays up until the process ends: shutting it down unloads the
        // X libraries it opened, and the leak checker can then no longer tell their caches
        // from ours.
    }
}

std::optional<std::string> DesktopWindow::displayProblem() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    bool offscreen =
        driver && (std::string(driver) == "offscreen" || std::string(driver) == "dummy");
    if (!offscreen && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return std::string("no display to open a window on (DISPLAY is not set)");
    return std::nullopt;
}

bool DesktopWindow::open(std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    if (auto problem = displayProblem())
        return fail(*problem);
    // The screen saver stays allowed unless the application turns the idle timer off.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return fail(std::string("cannot open the display: ") + SDL_GetError());
    Snapshot::prepare();
    openedAt_ = RunLoop::main().now();
    CGSize points = root_->bounds().size;
    zoom_ = pickZoom(options_.zoom, points);
    uint32_t flags =
        SDL_WINDOW_ALLOW_HIGHDPI | (options_.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    window_ = SDL_CreateWindow(options_.title.c_str(), SDL_WINDOWPOS_CENTERED,
                               SDL_WINDOWPOS_CENTERED, int(std::lround(points.width * zoom_)),
                               int(std::lround(points.height * zoom_)), flags);
    if (!window_) {
        std::string why = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return fail("cannot create the window: " + why);
    }
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_)
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_)
        return fail(std::string("cannot draw in the window: ") + SDL_GetError());
    setIcon(window_);
    if (wakeEventType == 0)
        wakeEventType = SDL_RegisterEvents(1);
    RunLoop::main().setWakeHandler(pushWake);
    SDL_StartTextInput();
    running_ = true;
    dirty_ = true;
    return true;
}

uint32_t DesktopWindow::windowID() const {
    return window_ ? SDL_GetWindowID(window_) : 0;
}

void DesktopWindow::run() {
    while (step(1.0)) {
    }
}

int DesktopWindow::waitMilliseconds(double maxWait) const {
    if (dirty_)
        return 0;
    double wait = maxWait;
    double due = RunLoop::main().secondsUntilNextDue();
    if (due >= 0)
        wait = std::min(wait, due);
    double now = RunLoop::main().now();
    if (animating_)
        wait = std::min(wait, lastFrame_ + frameInterval - now);
    else if (timed_)
        wait = std::min(wait, lastFrame_ + timedInterval - now);
    return std::max(0, int(std::ceil(wait * 1000)));
}

bool DesktopWindow::step(double maxWait) {
    if (!window_ || !running_)
        return false;
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, waitMilliseconds(maxWait))) {
        handle(event);
        while (running_ && SDL_PollEvent(&event))
            handle(event);
    }
    if (!running_)
        return false;
    wakePending = false;
    if (RunLoop::main().runOnce(0))
        dirty_ = true;
    double now = RunLoop::main().now();
    bool frameDue = (animating_ && now - lastFrame_ >= frameInterval - 0.001) ||
                    (timed_ && now - lastFrame_ >= timedInterval - 0.001);
    if (dirty_ || frameDue) {
        dirty_ = false;
        draw();
    }
    return running_;
}

void DesktopWindow::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        running_ = false;
        return;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            running_ = false;
        dirty_ = true;
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
        return handleMouse(e);
    case SDL_MOUSEWHEEL:
        return handleWheel(e);
    case SDL_TEXTINPUT:
        dirty_ = true;
        return handleText(e.text.text);
    case SDL_KEYDOWN:
        return handleKey(e);
    case SDL_DROPFILE:
        if (e.drop.file) {
            std::string path = e.drop.file;
            SDL_free(e.drop.file);
            DroppedFiles::shared().add(path);
            if (onDrop)
                onDrop(path);
            dirty_ = true;
        }
        return;
    default:
        return;
    }
}

void DesktopWindow::sendTouch(UITouchPhase phase, CGPoint point) {
    dirty_ = true;
    if (touchSink_)
        return touchSink_(phase, point);
    switch (phase) {
    case UITouchPhase::began:
        return dispatcher_->touchDown(point);
    case UITouchPhase::moved:
    case UITouchPhase::stationary:
        return dispatcher_->touchMove(point);
    case UITouchPhase::ended:
        return dispatcher_->touchUp(point);
    case UITouchPhase::cancelled:
        return dispatcher_->touchCancel();
    }
}

void DesktopWindow::handleMouse(const SDL_Event& e) {
    if (e.type == SDL_MOUSEMOTION) {
        pointer_ = toPoints(e.motion.x, e.motion.y);
        if (fingerDown_)
            sendTouch(UITouchPhase::moved, pointer_);
        return;
    }
    if (e.button.button != SDL_BUTTON_LEFT)
        return;
    pointer_ = toPoints(e.button.x, e.button.y);
    if (e.type == SDL_MOUSEBUTTONDOWN && !fingerDown_) {
        fingerDown_ = true;
        sendTouch(UITouchPhase::began, pointer_);
    } else if (e.type == SDL_MOUSEBUTTONUP && fingerDown_) {
        fingerDown_ = false;
        sendTouch(UITouchPhase::ended, pointer_);
    }
}

// The wheel moves the nearest scroll view under the pointer that can move that way.
void DesktopWindow::handleWheel(const SDL_Event& e) {
    double dx = e.wheel.preciseX * wheelStep, dy = -e.wheel.preciseY * wheelStep;
    if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
        dx = -dx, dy = -dy;
    auto view = root_->hitTest(pointer_, nullptr);
    for (; view; view = view->superview()) {
        auto scroll = std::dynamic_pointer_cast<UIScrollView>(view);
        if (!scroll || !scroll->isScrollEnabled)
            continue;
        CGPoint lo = scroll->minimumContentOffset(), hi = scroll->maximumContentOffset();
        CGPoint at = scroll->contentOffset();
        CGPoint to{std::clamp(at.x + dx, lo.x, std::max(lo.x, hi.x)),
                   std::clamp(at.y + dy, lo.y, std::max(lo.y, hi.y))};
        if (to == at)
            continue;
        scroll->setContentOffset(to, false);
        dirty_ = true;
        return;
    }
}

void DesktopWindow::handleText(const std::string& text) {
    if (auto input = keyInput())
        input->insertText(text);
}

void DesktopWindow::handleKey(const SDL_Event& e) {
    SDL_Keycode key = e.key.keysym.sym;
    bool control = (e.key.keysym.mod & (KMOD_CTRL | KMOD_GUI)) != 0;
    bool shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
    UIKeyInput* input = keyInput();
    if (!input)
        return;
    dirty_ = true;
    UITextField* field = focusedField();
    if (key == SDLK_BACKSPACE) {
        input->deleteBackward();
    } else if (key == SDLK_RETURN || key == SDLK_KP_ENTER) {
        if (!field)
            return input->insertText("\n");
        auto keepAlive = field->sharedView();
        field->pressReturn();
        // Return always ends the field's editing here: there is no keyboard to put away.
        if (field->isFirstResponder())
            field->resignFirstResponder();
    } else if (key == SDLK_ESCAPE) {
        if (auto responder = UIResponder::currentFirstResponder())
            responder->resignFirstResponder();
    } else if (field && (key == SDLK_LEFT || key == SDLK_RIGHT)) {
        field->moveCaret(key == SDLK_LEFT ? -1 : 1);
    } else if (field && (key == SDLK_HOME || key == SDLK_UP)) {
        field->setCaretPosition(0);
    } else if (field && (key == SDLK_END || key == SDLK_DOWN)) {
        field->setCaretPosition(field->text().size());
    } else if ((control && key == SDLK_v) || (shift && key == SDLK_INSERT)) {
        char* clip = SDL_GetClipboardText();
        std::string text = clip ? clip : "";
        SDL_free(clip);
        // One line only in a field: line breaks become spaces.
        if (field)
            std::replace_if(
                text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        if (!text.empty())
            input->insertText(text);
    }
}

void DesktopWindow::ensureSurface() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    if (w == pixelWidth_ && h == pixelHeight_ && surface_)
        return;
    if (surface_)
        cairo_surface_destroy(surface_);
    if (texture_)
        SDL_DestroyTexture(texture_);
    pixelWidth_ = std::max(1, w);
    pixelHeight_ = std::max(1, h);
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth_, pixelHeight_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 pixelWidth_, pixelHeight_);
    CGSize points = root_->bounds().size;
    pixelScale_ = points.width > 0 ? pixelWidth_ / points.width : 1;
}

void DesktopWindow::draw() {
    ensureSurface();
    root_->layoutIfNeeded();
    cairo_t* cr = cairo_create(surface_);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_scale(cr, pixelScale_, pixelScale_);
    double now = RunLoop::main().now();
    LayerRenderer renderer(cr, now);
    renderer.drawView(*root_);
    cairo_destroy(cr);
    animating_ = renderer.sawAnimation();
    timed_ = renderer.needsTimedFrames();
    cairo_surface_flush(surface_);
    SDL_UpdateTexture(texture_, nullptr, cairo_image_surface_get_data(surface_),
                      cairo_image_surface_get_stride(surface_));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    lastFrame_ = now;
    if (frames_++ == 0)
        firstFrame_ = now - openedAt_;
}

std::optional<uint32_t> DesktopWindow::framePixel(CGPoint point) const {
    if (!surface_)
        return std::nullopt;
    int x = int(point.x * pixelScale_), y = int(point.y * pixelScale_);
    if (x < 0 || y < 0 || x >= pixelWidth_ || y >= pixelHeight_)
        return std::nullopt;
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}
