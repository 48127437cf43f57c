// tarnell-soak: the real window (offscreen) against the receiver emulator for a
// number of minutes, at the heaviest output the Setup page can ask for (every
// sentence at rate 1, 5 fixes per second, 115200 bit/s), with the raw log on.
// It fails when the log misses or alters a byte the emulator sent, when the
// window reports an error, or when the program's own resident memory grows by
// more than 2 MB after the warm-up.
//   tarnell-soak --sim PATH-OF-tarnell-sim [--minutes M] [--warm-up SECONDS]
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "support/LogDialog.h"
#include "support/ProtoChain.h"
#include "support/Resident.h"
#include "ui_TForm1.h"

namespace {

constexpr double kAllowedGrowthMB = 2.0;

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::string ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

// Closes every message box as soon as it shows (an acknowledgement's box waits
// for its user) and remembers what the boxes said.
class BoxWatch : public QObject {
public:
    QStringList acknowledgements, errors;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                (box->icon() == QMessageBox::Critical ? errors : acknowledgements) << box->text();
                QTimer::singleShot(0, box, [box] { box->close(); });
            }
        return false;
    }
};

[[noreturn]] void Usage(const char* problem) {
    std::fprintf(stderr,
                 "tarnell-soak: %s\nusage: tarnell-soak --sim PATH [--minutes M] [--warm-up SECONDS]\n",
                 problem);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QString simPath;
    double minutes = 1, warmUpS = -1;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (i + 1 == args.size()) Usage("missing value");
        bool ok = true;
        if (args[i] == "--sim")
            simPath = args[++i];
        else if (args[i] == "--minutes")
            minutes = args[++i].toDouble(&ok);
        else if (args[i] == "--warm-up")
            warmUpS = args[++i].toDouble(&ok);
        else
            Usage("unknown option");
        if (!ok) Usage("not a number");
    }
    if (simPath.isEmpty()) Usage("--sim is required");
    const double runS = minutes * 60.0;
    if (warmUpS < 0) warmUpS = std::clamp(runS * 0.25, 10.0, 60.0);

    QTemporaryDir dir;
    const QString sentPath = dir.filePath("sent.bin"), logBase = dir.filePath("soak"),
                  logPath = logBase + ".TXT";

    // The emulator falls silent when the run is over, so that what it sent can be drained and compared.
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(simPath, {"--baud", "115200", "--record", sentPath, "--silence",
                        QString::number(runS, 'f', 1) + ":1000000"});
    QElapsedTimer clock;
    clock.start();
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) Usage("the emulator did not start");
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();

    BoxWatch boxes;
    app.installEventFilter(&boxes);
    TForm1 form;
    Ui::TForm1* ui = form.Controls();
    form.show();

    StartLogInto(form, logBase);
    ui->ComboBox2->setEditText(device);
    SelectItem(ui->ComboBox1, 6);  // 115200
    ui->Button1->click();
    if (!form.State().PortHandle) Usage("the emulator's device did not open");
    const qint64 sentBeforeOpen = QFileInfo(sentPath).size();  // what the open's purge may have dropped

    bool configured = false, drained = false;
    double warmMB = 0, endMB = 0, warmOwnMB = 0, endOwnMB = 0, cpuAtWarm = 0;
    qint64 lastLogSize = -1, stableSinceMs = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const double t = static_cast<double>(clock.elapsed()) / 1000.0;
        // Once the start-up read-back has filled the Setup page: every sentence at 1, 5 fixes per second.
        if (!configured && form.Timer1->enabled() && !ui->lbTimes->text().isEmpty()) {
            for (QComboBox* box :
                 {ui->cbGLL, ui->cbRMC, ui->cbVTG, ui->cbGGA, ui->cbGSA, ui->cbGSV, ui->cbZDA, ui->cbMCHN})
                SelectItem(box, 1);
            SelectItem(ui->cbFix, 4);
            ui->btConfirm->click();
            ui->btFixSet->click();
            configured = true;
        }
        if (warmMB == 0 && t >= warmUpS) {
            warmMB = ResidentMB("VmRSS");
            warmOwnMB = ResidentMB("RssAnon");
            cpuAtWarm = CpuSeconds();
            std::printf("warm-up done after %.0f s: resident %.1f MB, its own %.1f MB\n", t, warmMB,
                        warmOwnMB);
            std::fflush(stdout);
        }
        if (t < runS + 1.0) return;
        // The emulator is silent now: done once the log has stopped growing for a second and a half.
        const qint64 size = QFileInfo(logPath).size();
        if (size != lastLogSize) {
            lastLogSize = size;
            stableSinceMs = clock.elapsed();
        } else if (clock.elapsed() - stableSinceMs > 1500) {
            endMB = ResidentMB("VmRSS");
            endOwnMB = ResidentMB("RssAnon");
            drained = true;
            app.quit();
        }
        if (t > runS + 60.0) app.quit();  // never drained
    });
    watch.start(250);
    app.exec();

    const double cpuS = CpuSeconds() - cpuAtWarm,
                 measuredS = static_cast<double>(clock.elapsed()) / 1000.0 - warmUpS;
    form.StopLogClick();
    ui->Button1->click();
    sim.terminate();
    sim.waitForFinished(5000);

    const std::string sent = ReadAll(sentPath), logged = ReadAll(logPath);
    ProtoChain chain;
    for (std::size_t at = 0; at < logged.size(); at += 1024)
        chain.Feed(reinterpret_cast<const uint8_t*>(logged.data()) + at,
                   static_cast<int32_t>(std::min<std::size_t>(1024, logged.size() - at)));

    // The log must end with every byte sent after the port opened, in order and unchanged.
    std::size_t common = 0;
    while (common < sent.size() && common < logged.size() &&
           sent[sent.size() - 1 - common] == logged[logged.size() - 1 - common])
        ++common;
    const auto owed = sent.size() - static_cast<std::size_t>(
                                        std::min<qint64>(sentBeforeOpen, static_cast<qint64>(sent.size())));
    const bool bytesOk = drained && common == logged.size() && logged.size() >= owed;

    std::printf("bytes sent:          %zu (%zu after the port opened, %.0f/s)\n", sent.size(), owed,
                static_cast<double>(owed) / runS);
    std::printf("bytes logged:        %zu\n", logged.size());
    std::printf("sentences decoded:   %llu\n", static_cast<unsigned long long>(chain.Verified));
    std::printf("checksum failures:   %llu\n", static_cast<unsigned long long>(chain.Lines - chain.Verified));
    std::printf("acknowledged:        %s\n", qPrintable(boxes.acknowledgements.join(", ")));
    std::printf("window errors:       %lld%s%s\n", static_cast<long long>(boxes.errors.size()),
                boxes.errors.isEmpty() ? "" : ": ", qPrintable(boxes.errors.join(" | ")));
    std::printf("resident after warm-up: %.1f MB, at end: %.1f MB\n", warmMB, endMB);
    std::printf("its own memory:      %.1f MB after warm-up, %.1f MB at end (%+.2f MB)\n", warmOwnMB,
                endOwnMB, endOwnMB - warmOwnMB);
    std::printf("cpu after warm-up:   %.1f s in %.0f s (%.1f %%)\n", cpuS, measuredS,
                100.0 * cpuS / measuredS);

    bool ok = true;
    if (!bytesOk) {
        ok = false;
        if (!drained)
            std::printf("FAIL: the log never stopped growing\n");
        else if (common != logged.size())
            std::printf("FAIL: the log differs from what was sent, %zu bytes before its end\n", common);
        else
            std::printf("FAIL: %zu bytes sent after the open are missing from the log\n",
                        owed - logged.size());
    }
    if (!configured || boxes.acknowledgements.size() < 2 || boxes.acknowledgements.contains("Failed!")) {
        ok = false;
        std::printf("FAIL: the Setup page did not set the heaviest output\n");
    }
    if (!boxes.errors.isEmpty()) {
        ok = false;
        std::printf("FAIL: the window reported errors\n");
    }
#if defined(__SANITIZE_ADDRESS__)
    std::printf("memory not judged under AddressSanitizer (its quarantine holds freed memory)\n");
#else
    if (endOwnMB - warmOwnMB > kAllowedGrowthMB) {
        ok = false;
        std::printf("FAIL: resident memory grew by more than %.0f MB after the warm-up\n", kAllowedGrowthMB);
    }
#endif
    std::printf("%s\n", ok ? "soak: ok" : "soak: FAILED");
    return ok ? 0 : 1;
}
