#include "Render/DesktopWindow.h"
#include "Services/DroppedFiles.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UITextField.h"
#include "UIKit/UIView.h"

#include <SDL.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// A private X server for the test, on a display number of its own.
class VirtualDisplay {
  public:
    VirtualDisplay() {
        const char* xvfb = "/usr/bin/Xvfb";
        if (access(xvfb, X_OK) != 0)
            return;
        for (int n = 70 + getpid() % 200; n < 400 && pid_ == 0; n += 7) {
            std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
            if (std::filesystem::exists(socket) ||
                std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
                continue;
            std::string display = ":" + std::to_string(n);
            const char* argv[] = {xvfb,           display.c_str(), "-screen", "0",
                                  "1024x1000x24", "-nolisten",     "tcp",     nullptr};
            if (posix_spawn(&pid_, xvfb, nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
                return;
            for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (!std::filesystem::exists(socket)) {
                stop();
                continue;
            }
            display_ = display;
        }
    }
    ~VirtualDisplay() { stop(); }

    bool available() const { return !display_.empty(); }
    const std::string& name() const { return display_; }

  private:
    void stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = 0;
    }
    pid_t pid_ = 0;
    std::string display_;
};

void push(SDL_Event event) {
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void pushButton(uint32_t window, uint32_t type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = window;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    push(e);
}

void pushText(uint32_t window, const char* text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = window;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", text);
    push(e);
}

void pushWheel(uint32_t window, int x, int y, float steps) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = window;
    motion.motion.x = x;
    motion.motion.y = y;
    push(motion);
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = window;
    e.wheel.y = int(steps);
    e.wheel.preciseY = steps;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    push(e);
}

void pushKey(uint32_t window, SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    push(e);
}

} // namespace

// The real window under a virtual X server: a click at a button's place runs its action, the
// frame shows the button's colour there, typing reaches the focused field, Return ends its
// editing, the wheel scrolls the list under the pointer, dropped files are kept, and closing
// ends the loop.
TEST(DesktopWindowSmoke, ClickTypeDropAndClose) {
    VirtualDisplay display;
    if (!display.available())
        GTEST_SKIP() << "Xvfb is not installed (apt-get install xvfb): the window test needs it";
    setenv("DISPLAY", display.name().c_str(), 1);

    auto root = UIView::make({0, 0, 390, 844});
    root->setBackgroundColor(UIColor::black());
    auto button = UIButton::make(UIButtonType::custom, {100, 300, 190, 50});
    button->setBackgroundColor(UIColor::rgb255(117, 151, 242));
    int taps = 0;
    button->addHandler([&](const auto&, UIEvent*) { ++taps; }, UIControlEventTouchUpInside);
    root->addSubview(button);
    auto field = UITextField::make({20, 100, 350, 40});
    root->addSubview(field);
    auto list = UIScrollView::make({0, 500, 390, 300});
    list->setContentSize({390, 1000});
    root->addSubview(list);

    DesktopWindow::Options options;
    options.zoom = 1;
    DesktopWindow window(root, options);
    std::string error;
    ASSERT_TRUE(window.open(&error)) << error;
    uint32_t id = window.windowID();
    for (int i = 0; i < 5; ++i)
        window.step(0.01);
    ASSERT_GT(window.framesDrawn(), 0);
    EXPECT_EQ(window.framePixel({195, 325}), std::optional<uint32_t>(0x7597F2));

    pushButton(id, SDL_MOUSEBUTTONDOWN, 195, 325);
    pushButton(id, SDL_MOUSEBUTTONUP, 195, 325);
    for (int i = 0; i < 5 && taps == 0; ++i)
        window.step(0.01);
    EXPECT_EQ(taps, 1);

    pushButton(id, SDL_MOUSEBUTTONDOWN, 50, 120);
    pushButton(id, SDL_MOUSEBUTTONUP, 50, 120);
    window.step(0.01);
    ASSERT_TRUE(field->isEditing());
    pushText(id, "tone.wav");
    pushKey(id, SDLK_LEFT);
    pushKey(id, SDLK_BACKSPACE);
    pushKey(id, SDLK_RETURN);
    for (int i = 0; i < 5; ++i)
        window.step(0.01);
    EXPECT_EQ(field->text(), "tone.wv");
    EXPECT_FALSE(field->isEditing());

    pushWheel(id, 195, 650, -2); // two notches towards the user: the content moves up
    window.step(0.01);
    EXPECT_GT(list->contentOffset().y, 0);
    double scrolled = list->contentOffset().y;
    pushWheel(id, 195, 200, -2); // over no scroll view: nothing moves
    window.step(0.01);
    EXPECT_EQ(list->contentOffset().y, scrolled);

    DroppedFiles::shared().clear();
    SDL_Event drop{};
    drop.type = SDL_DROPFILE;
    drop.drop.windowID = id;
    drop.drop.file = SDL_strdup("/tmp/dropped song.mp3");
    push(drop);
    window.step(0.01);
    ASSERT_EQ(DroppedFiles::shared().files().size(), 1u);
    EXPECT_EQ(DroppedFiles::shared().files()[0].path(), "/tmp/dropped song.mp3");

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    EXPECT_FALSE(window.step(0.01));
}
