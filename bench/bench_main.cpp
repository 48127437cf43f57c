// All benchmarks in one program: the window's need a QApplication on the offscreen platform.
// Each figure is printed on a line of its own, in CPU time: on a machine shared with other work the
// wall clock says more about the neighbours than about the program.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <string>

namespace {

class FigureReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override {
        std::printf("%d cores at %.0f MHz\n", context.cpu_info.num_cpus,
                    context.cpu_info.cycles_per_second / 1e6);
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "cv") continue;
            std::string line = run.benchmark_name();
            if (!run.report_label.empty()) line += " (" + run.report_label + ")";
            line += ":";
            if (run.error_occurred) {
                std::printf("%s skipped: %s\n", line.c_str(), run.error_message.c_str());
                continue;
            }
            char part[96];
            std::snprintf(part, sizeof part, " %.1f us cpu per run", Micros(run));
            line += part;
            for (const auto& [name, counter] : run.counters) {
                if (name == "bytes_per_second")
                    std::snprintf(part, sizeof part, ", %.1f MB/s", counter.value / 1e6);
                else if (name == "items_per_second")
                    std::snprintf(part, sizeof part, ", %.2f M lines/s", counter.value / 1e6);
                else
                    std::snprintf(part, sizeof part, ", %s %.2f", name.c_str(), counter.value);
                line += part;
            }
            std::printf("%s\n", line.c_str());
        }
        std::fflush(stdout);
    }

private:
    static double Micros(const Run& run) {
        const double t = run.GetAdjustedCPUTime();
        switch (run.time_unit) {
            case benchmark::kNanosecond:
                return t / 1e3;
            case benchmark::kMicrosecond:
                return t;
            case benchmark::kMillisecond:
                return t * 1e3;
            default:
                return t * 1e6;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    FigureReporter figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    benchmark::Shutdown();
    return 0;
}
