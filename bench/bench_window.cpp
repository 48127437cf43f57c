// The window's share of each 100 ms tick, on the offscreen platform with the
// window shown: a full main tick, the sky view with its chart, the link load
// meter, and the program's resident size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <memory>
#include <string>

#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "support/Pty.h"
#include "support/Resident.h"
#include "support/WorldStream.h"
#include "ui_TForm1.h"
#include "views/TChart.h"
#include "views/TImage.h"

namespace {

// One shown window for all window benchmarks, its port open on a pseudo-terminal
// and both receive timers off, so the benchmark alone drives the main pump.
struct Rig {
    Pty pty;
    TForm1 form;
    Ui::TForm1* ui = form.Controls();
    double startMB = 0;

    Rig() {
        form.show();
        ui->ComboBox2->setEditText(QString::fromStdString(pty.Path()));
        ui->Button1->click();
        form.Timer3->setEnabled(false);
        form.Timer1->setEnabled(false);
        QCoreApplication::processEvents();
        startMB = ResidentMB("VmRSS");
    }
};

// Made on first use and never destroyed: a window must not outlive the application, which ends first.
Rig& TheRig() {
    static Rig* const rig = new Rig;
    return *rig;
}

// 1024-byte pieces of the emulator's stream, in order: every kind of sentence,
// lines cut across chunks as the port delivers them.
class Chunks {
public:
    Chunks() : stream_(WorldStream(600, 200)) {}
    std::string Next() {
        if (at_ + 1024 > stream_.size()) at_ = 0;
        std::string c = stream_.substr(at_, 1024);
        at_ += 1024;
        return c;
    }

private:
    std::string stream_;
    std::size_t at_ = 0;
};

// One main tick: 1024 bytes waiting at the port, read, framed, dispatched, shown,
// and the widgets repainted by the event loop.
void Tick(Rig& rig, Chunks& chunks, benchmark::State* timed) {
    if (timed) timed->PauseTiming();
    rig.pty.Write(chunks.Next());
    QSerialPort* port = rig.form.State().PortHandle.get();
    while (port->bytesAvailable() < 1024 && port->waitForReadyRead(100)) {
    }
    if (timed) timed->ResumeTiming();
    rig.form.Timer1Timer();
    rig.form.Timer1->setEnabled(false);
    QCoreApplication::processEvents();
}

void BM_MainTick(benchmark::State& state) {
    state.SetLabel("1024 bytes read, framed, shown and painted, target 1000 us");
    Rig& rig = TheRig();
    Chunks chunks;
    for (int i = 0; i < 50; ++i) Tick(rig, chunks, nullptr);  // the console full, as in a running session
    for (auto _ : state) Tick(rig, chunks, &state);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024);
}
BENCHMARK(BM_MainTick)->Unit(benchmark::kMicrosecond);

void BM_DrawSkyView(benchmark::State& state) {
    Rig& rig = TheRig();
    SharedState& s = rig.form.State();
    const int count = static_cast<int>(state.range(0));
    state.SetLabel(std::to_string(count) + " satellites, sky view and chart painted, target 300 us");
    rig.ui->EdMode->setText(QStringLiteral("3D"));
    for (int n = 1; n <= count; ++n) s.GpsPort.UsedInFix[static_cast<std::size_t>(n)] = n % 3 != 0;
    for (auto _ : state) {
        for (int n = 1; n <= count; ++n)
            s.SatelliteTable[static_cast<std::size_t>(n)] = {1, (n * 7) % 90, (n * 37) % 360, 20 + n % 30};
        rig.form.DrawSkyView();
        rig.ui->Image1->repaint();
        rig.ui->Chart1->repaint();
    }
}
BENCHMARK(BM_DrawSkyView)->Arg(12)->Arg(49)->Unit(benchmark::kMicrosecond);

void BM_LinkLoadMeter(benchmark::State& state) {
    state.SetLabel("target 20 us");
    Rig& rig = TheRig();
    for (auto _ : state) rig.form.LinkLoadMeter();
}
BENCHMARK(BM_LinkLoadMeter)->Unit(benchmark::kMicrosecond);

// Resident size after start, and after ten minutes' worth of main ticks (6000) that
// follow a minute's warm-up; the growth counted is the program's own memory.
void BM_Memory(benchmark::State& state) {
    state.SetLabel("resident MB, target 60 and flat");
    Rig& rig = TheRig();
    Chunks chunks;
    double afterMB = 0, warmOwnMB = 0, afterOwnMB = 0;
    for (auto _ : state) {
        for (int i = 0; i < 600; ++i) Tick(rig, chunks, nullptr);
        warmOwnMB = ResidentMB("RssAnon");
        for (int i = 0; i < 6000; ++i) Tick(rig, chunks, nullptr);
        afterMB = ResidentMB("VmRSS");
        afterOwnMB = ResidentMB("RssAnon");
    }
    state.counters["at_start"] = rig.startMB;
    state.counters["after_6600_ticks"] = afterMB;
    state.counters["own_growth_after_warm_up"] = afterOwnMB - warmOwnMB;
}
BENCHMARK(BM_Memory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
