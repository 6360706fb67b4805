#include "Foundation/RunLoop.h"
#include "Render/DesktopApp.h"
#include "Render/DesktopWindow.h"
#include "Render/GalleryScreen.h"
#include "Render/LayerRenderer.h"
#include "Render/Snapshot.h"
#include "UIKit/UIWindow.h"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <chrono>

namespace {

// A full redraw of a busy screen: a table of 50 rows under a navigation bar, at 2x, into a
// surface made once, as the window redraws every frame.
void FullRedrawOfList(benchmark::State& state) {
    Snapshot::prepare();
    auto window = makeDesktopWindow(GalleryScreen::makeList(50));
    RunLoop::main().runUntilIdle();
    window->layoutIfNeeded();
    double scale = 2;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(390 * scale), int(844 * scale));
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_scale(cr, scale, scale);
        LayerRenderer renderer(cr, RunLoop::main().now());
        renderer.drawView(*window);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
    }
    cairo_surface_destroy(surface);
}
BENCHMARK(FullRedrawOfList)->Unit(benchmark::kMillisecond);

// The gallery of controls (gradient, text, symbols, nine-sliced artwork, a spinning spinner).
void FullRedrawOfGallery(benchmark::State& state) {
    Snapshot::prepare();
    auto window = makeDesktopWindow(GalleryScreen::makeController());
    window->layoutIfNeeded();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 780, 1688);
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, 2, 2);
        LayerRenderer renderer(cr, RunLoop::main().now());
        renderer.drawView(*window);
        cairo_destroy(cr);
    }
    cairo_surface_destroy(surface);
}
BENCHMARK(FullRedrawOfGallery)->Unit(benchmark::kMillisecond);

// From nothing to the first frame on screen: building the list screen, opening the SDL
// window and drawing. Needs a display (run under Xvfb); skipped without one.
void StartToFirstFrame(benchmark::State& state) {
    if (DesktopWindow::displayProblem()) {
        state.SkipWithError("no display: run under xvfb-run or Xvfb");
        return;
    }
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        auto window = makeDesktopWindow(GalleryScreen::makeList(50));
        DesktopWindow::Options options;
        options.zoom = 2;
        DesktopWindow desktop(window, options);
        if (!desktop.open()) {
            state.SkipWithError("the window did not open");
            return;
        }
        while (desktop.framesDrawn() == 0)
            desktop.step(0.01);
        auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(StartToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
