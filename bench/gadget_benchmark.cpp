// The hot paths of a running gadget: the refresh tick twice a second, a
// sample of the Linux counters once a second, and the repaint of the window.

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include "platform/linux/cp932_codec.h"
#include "platform/linux/proc_counter_source.h"
#include "shell/main_window.h"
#include "shell/qt/fonts.h"
#include "shell/qt/gadget_renderer.h"
#include "shell/qt/render_cache.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

void BM_RefreshTick(benchmark::State& state)
{
    const Cp932Codec codec;  // the tip is encoded as the program encodes it
    testing::FakeServices fake(codec);
    fake.counters.values = {{1, 45.3}, {2, 1200}, {3, 12.4}, {4, 37.6}};
    MainWindow form(fake.services);
    form.Form_Load();
    for (auto _ : state) {
        form.TmrN_Timer();
        benchmark::DoNotOptimize(form.view.tray.tip);
    }
}
BENCHMARK(BM_RefreshTick);

void BM_LinuxCounterSample(benchmark::State& state)
{
    double now = 0;
    ProcCounterSource::Sources sources;
    sources.now = [&now] { return now; };
    ProcCounterSource counters(sources);
    for (auto _ : state) {
        now += 1;  // every read finds the sample a second old
        benchmark::DoNotOptimize(counters.read(kProcessorTimeCounter));
    }
}
BENCHMARK(BM_LinuxCounterSample);

// A gadget as it looks right after a first start.
struct StartedGadget {
    testing::FakeServices fake;
    MainWindow form{fake.services};
    RenderCache cache;

    StartedGadget() { form.Form_Load(); }
};

void BM_RenderGadget(benchmark::State& state)
{
    StartedGadget gadget;
    MainWindow& form = gadget.form;
    RenderCache& cache = gadget.cache;
    const auto backdrop = state.range(0) ? Backdrop::Transparent : Backdrop::ColourKey;
    for (auto _ : state) {
        QImage image = renderGadget(form.view, cache, 1, backdrop);
        if (backdrop == Backdrop::Transparent)
            clearKeyPixels(image, form.view.window.colourKey);
        else
            benchmark::DoNotOptimize(shapeOf(image, form.view.window.colourKey));
    }
}
BENCHMARK(BM_RenderGadget)->Arg(0)->Arg(1)->ArgName("composited");

void BM_WindowShape(benchmark::State& state)
{
    StartedGadget gadget;
    MainWindow& form = gadget.form;
    RenderCache& cache = gadget.cache;
    const QImage image = renderGadget(form.view, cache, 1, Backdrop::ColourKey);
    for (auto _ : state)
        benchmark::DoNotOptimize(shapeOf(image, form.view.window.colourKey));
}
BENCHMARK(BM_WindowShape);

// What a second of the clock costs: the time and one readout drawn again,
// and the shape taken anew.
void BM_RepaintSecond(benchmark::State& state)
{
    StartedGadget gadget;
    MainWindow& form = gadget.form;
    RenderCache& cache = gadget.cache;
    QImage image = renderGadget(form.view, cache, 1, Backdrop::ColourKey);
    WindowShape shape = shapeOf(image, form.view.window.colourKey);
    GadgetView before = form.view;
    int second = 0;
    for (auto _ : state) {
        form.view.lblTime.text = "18:14:" + std::to_string(second++ % 60);
        form.view.lblCPer.text = std::to_string(second % 100) + "%";
        const QRegion changed = changedArea(before, form.view);
        repaintGadget(image, form.view, cache, Backdrop::ColourKey, changed);
        updateShape(shape, image, form.view.window.colourKey, changed);
        benchmark::DoNotOptimize(shape.bits);
        before = form.view;
    }
}
BENCHMARK(BM_RepaintSecond);

}  // namespace
}  // namespace tavlo

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tavlo::registerFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
