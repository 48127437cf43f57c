#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTableWidget>
#include <string>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "config/Sentence.h"
#include "support/Pty.h"
#include "support/Window.h"
#include "ui_TForm1.h"
#include "views/TChart.h"
#include "views/TImage.h"

// Readable failures; internal linkage keeps it clear of other test files.
static void PrintTo(const QColor& c, std::ostream* os) {
    *os << (c.isValid() ? "rgb(" + std::to_string(c.red()) + "," + std::to_string(c.green()) + "," +
                              std::to_string(c.blue()) + ")"
                        : std::string("no colour"));
}

namespace {

using tarnell::CompleteSentence;

const QColor kBackground(192, 220, 192);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);

QColor Pixel(TForm1& form, int x, int y) {
    return QColor(form.Controls()->Image1->property("canvas").value<QImage>().pixel(x, y));
}

// Points of a series as (value, label, colour) through its `points` property.
struct ChartPoint {
    double value;
    QString label;
    QColor color;
    bool operator==(const ChartPoint&) const = default;
};
std::vector<ChartPoint> Points(TForm1& form, const char* series) {
    std::vector<ChartPoint> out;
    const auto* s = form.Controls()->Chart1->findChild<QObject*>(QString::fromLatin1(series));
    for (const QVariant& v : s->property("points").toList()) {
        const QVariantMap m = v.toMap();
        out.push_back({m["value"].toDouble(), m["label"].toString(), m["color"].value<QColor>()});
    }
    return out;
}

const struct {
    int x, y;
} kRingPoints[] = {{76, 6}, {6, 76}, {145, 76}, {76, 145}, {76, 46}, {46, 76}, {105, 76}, {76, 105}};

void ExpectMarker(TForm1& form, int x, int y, const QColor& disc, const QColor& digits,
                  const QString& number) {
    const std::string at = "marker " + number.toStdString();
    // The disc box is (x-10, y-10)-(x+10, y+10), its right and bottom edges exclusive.
    for (auto [px, py] : {std::pair{x - 10, y}, {x + 9, y}, {x, y - 10}, {x, y + 9}})
        EXPECT_EQ(Pixel(form, px, py), kBlack) << at << " outline " << px << "," << py;
    EXPECT_NE(Pixel(form, x + 10, y), kBlack) << at;
    EXPECT_NE(Pixel(form, x, y + 10), kBlack) << at;
    EXPECT_EQ(Pixel(form, x - 7, y), disc) << at;
    EXPECT_EQ(Pixel(form, x, y + 7), disc) << at;

    // The number: crisp digits in their colour, inside the cell whose top-left
    // corner is (x-2, y-6) for one digit and (x-5, y-6) for two.
    const QFontMetrics fm(QFont(QStringLiteral("Arial"), 7));
    const QRect cell(x - (number.size() == 1 ? 2 : 5), y - 6, fm.horizontalAdvance(number), fm.height());
    QRect inked;
    for (int py = y - 8; py <= y + 8; ++py)
        for (int px = x - 8; px <= x + 8; ++px) {
            if ((px - x) * (px - x) + (py - y) * (py - y) > 64) continue;  // well inside the outline
            const QColor c = Pixel(form, px, py);
            if (c == digits) {
                inked |= QRect(px, py, 1, 1);
            } else {
                EXPECT_EQ(c, disc) << at << " at " << px << "," << py;
            }
        }
    EXPECT_GT(inked.width() * inked.height(), 6) << at;
    EXPECT_TRUE(cell.contains(inked)) << at;
}

TEST(SkyView, StartsAsBackgroundAndRedrawsTheRingsWhenEmpty) {
    TForm1 form;
    const QImage start = form.Controls()->Image1->property("canvas").value<QImage>();
    ASSERT_EQ(start.size(), QSize(153, 153));
    for (int y = 0; y < 153; ++y)
        for (int x = 0; x < 153; ++x) ASSERT_EQ(QColor(start.pixel(x, y)), kBackground) << x << "," << y;

    form.DrawSkyView();
    for (auto [x, y] : kRingPoints) EXPECT_EQ(Pixel(form, x, y), kBlack) << x << "," << y;
    for (auto [x, y] : {std::pair{76, 76}, {76, 26}, {76, 7}, {146, 76}, {0, 0}, {152, 152}})
        EXPECT_EQ(Pixel(form, x, y), kBackground) << x << "," << y;
    EXPECT_TRUE(Points(form, "Series1").empty());
    EXPECT_TRUE(Points(form, "Series2").empty());
}

TEST(SkyView, MarkersAndBarsFollowTheFixMode) {
    const struct {
        const char* mode;
        bool used;
    } modes[] = {{"3D", true}, {"2D", true}, {"NONE", false}, {"", false}};
    for (const auto& m : modes) {
        TForm1 form;
        auto& S = form.State();
        S.SatelliteTable[4] = {1, 0, 0, 30};     // centre (76, 16), used
        S.SatelliteTable[23] = {1, 20, 100, 0};  // centre (131, 85), not used, empty signal field
        S.SatelliteTable[12] = {0, 70, 170, 8};  // neither reported nor above 8
        S.GpsPort.UsedInFix[4] = 1;
        S.GpsPort.UsedInFix[12] = 1;
        form.Controls()->EdMode->setText(QString::fromLatin1(m.mode));
        form.DrawSkyView();

        SCOPED_TRACE(std::string("mode \"") + m.mode + "\"");
        ExpectMarker(form, 76, 16, m.used ? kBlue : kWhite, m.used ? kWhite : kRed, "4");
        ExpectMarker(form, 131, 85, kWhite, kRed, "23");
        EXPECT_EQ(Pixel(form, 79, 96), kBackground);
        EXPECT_EQ(Points(form, "Series1"),
                  (std::vector<ChartPoint>{{30, "4", m.used ? kGreen : kWhite}, {0, "23", kWhite}}));
        EXPECT_EQ(Points(form, "Series2"),
                  (std::vector<ChartPoint>{{0, "30", QColor()}, {0, "0", QColor()}}));

        // Not reported again: gone at the next redraw, bar and marker both.
        form.DrawSkyView();
        EXPECT_EQ(Pixel(form, 76, 23), kBackground);
        EXPECT_EQ(Pixel(form, 131, 92), kBackground);
        EXPECT_TRUE(Points(form, "Series1").empty());
        EXPECT_EQ(S.SatelliteTable[23].Elevation, 20);
        EXPECT_EQ(S.SatelliteTable[12].Snr, 8);
    }
}

TEST(SignalChart, BarsStandOnTheFixedAxisAndOverflowFillsToTheTop) {
    TForm1 form;
    form.State().SatelliteTable[2] = {1, 45, 0, 75};
    form.State().SatelliteTable[3] = {1, 45, 90, 30};
    form.State().GpsPort.UsedInFix[2] = form.State().GpsPort.UsedInFix[3] = 1;
    form.Controls()->EdMode->setText("3D");
    form.DrawSkyView();

    TChart* chart = form.Controls()->Chart1;
    const QImage shot = chart->grab().toImage();
    const QRect plot = chart->PlotRect();
    const QColor wall = chart->palette().color(QPalette::ToolTipBase);
    const auto at = [&](int x, int y) { return QColor(shot.pixel(x, y)); };

    EXPECT_EQ(at(1, 1), QColor(7, 73, 173));
    const QRect high = chart->BarRect(0), mid = chart->BarRect(1);
    EXPECT_EQ(high.top(), plot.top());
    EXPECT_EQ(at(high.center().x(), plot.top() + 2), kGreen);
    EXPECT_EQ(at(high.center().x(), plot.bottom() - 2), kGreen);
    EXPECT_EQ(at(mid.center().x(), plot.top() + 2), wall);
    EXPECT_EQ(at(mid.center().x(), plot.bottom() - 2), kGreen);
    EXPECT_NEAR(mid.top(), plot.top() + plot.height() / 2, 1);
}

// A channel report with the given entries, the rest "00000".
std::string ChannelReport(std::initializer_list<const char*> entries, int count = 32) {
    std::string body = "$PMTKCHN";
    auto it = entries.begin();
    for (int k = 0; k < count; ++k) body += std::string(",") + (it != entries.end() ? *it++ : "00000");
    return CompleteSentence(body);
}

std::string Cell(TForm1& form, int row, int column) {
    const QTableWidgetItem* item = form.Controls()->StringGrid1->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

TEST(ChannelTable, ReportFillsTheRowsAndUnknownStatusKeepsTheOldOne) {
    TForm1 form;
    QTableWidget* grid = form.Controls()->StringGrid1;
    ASSERT_EQ(grid->rowCount(), 32);
    form.State().SentenceLine = ChannelReport({"99992", "99992", "99992", "99992", "99992"});
    form.UpdateChannelTable();
    // A 33rd entry is never read and the grid does not grow.
    form.State().SentenceLine = ChannelReport({"07452", "00000", "12381", "23419", "03225"}, 33);
    form.UpdateChannelTable();

    const struct {
        const char *sv, *snr, *status;
    } rows[] = {{"07", "45", "Tracking"},
                {"00", "00", "Idle"},
                {"12", "38", "Searching"},
                {"23", "41", "Tracking"},
                {"03", "22", "Tracking"}};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(Cell(form, r, 1), rows[r].sv) << r;
        EXPECT_EQ(Cell(form, r, 2), rows[r].snr) << r;
        EXPECT_EQ(Cell(form, r, 3), rows[r].status) << r;
    }
    for (int r = 0; r < 32; ++r) EXPECT_EQ(Cell(form, r, 0), std::to_string(r + 1));
    EXPECT_EQ(Cell(form, 31, 3), "Idle");
    EXPECT_EQ(grid->rowCount(), 32);
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), "Status");
}

TEST(ChannelTable, ShortReportLeavesTheMissingRowsAlone) {
    TForm1 form;
    form.State().SentenceLine = ChannelReport({"07452"}, 1);
    form.UpdateChannelTable();
    EXPECT_EQ(Cell(form, 0, 1), "07");
    EXPECT_EQ(Cell(form, 1, 1), "");
    EXPECT_EQ(Cell(form, 1, 3), "");
    EXPECT_EQ(Cell(form, 31, 0), "32");

    form.State().SentenceLine = ChannelReport({"12381", "20452", "31000"});
    form.UpdateChannelTable();
    form.State().SentenceLine = ChannelReport({"05331", "06"}, 2);
    form.UpdateChannelTable();
    EXPECT_EQ(Cell(form, 0, 1), "05");
    EXPECT_EQ(Cell(form, 0, 3), "Searching");
    EXPECT_EQ(Cell(form, 1, 1), "20");
    EXPECT_EQ(Cell(form, 1, 2), "45");
    EXPECT_EQ(Cell(form, 1, 3), "Tracking");
    EXPECT_EQ(Cell(form, 2, 1), "31");
}

TEST(LinkLoadMeter, FollowsTheSetupSelections) {
    // -1: a typed text ("0" in a rate box) instead of an item.
    const struct {
        int speed, fix;
        std::array<int, 8> rates;  // GLL, RMC, VTG, GSA, GSV, GGA, ZDA, MCHN
        const char *load, *fix_;
        bool red;
    } cases[] = {
        {0, 0, {0, 0, 0, 0, 0, 0, 0, 0}, "0.0", "1", false},
        {0, 0, {0, 1, 0, 1, 1, 1, 0, 0}, "98.7", "1", false},
        {0, 0, {1, 1, 1, 1, 1, 1, 1, 1}, "172.4", "1", true},
        {1, 0, {1, 1, 1, 1, 1, 1, 1, 1}, "86.3", "1", false},
        {4, 4, {1, 5, 1, 1, 2, 1, 1, 1}, "108.5", "5", true},
        {3, 4, {0, 0, 0, 0, 1, 1, 1, 0}, "100.0", "5", false},  // a hair over 100 before the rounding
        {1, 1, {1, 1, 1, 1, 1, 1, 1, 1}, "172.6", "2", true},
        {0, 0, {0, -1, 0, -1, -1, -1, 0, 0}, "98.7", "1", false},
        {2, 1, {1, 1, 1, 1, 1, 1, 1, 1}, "115.0", "2", true},
        {-1, 0, {1, 1, 1, 1, 1, 1, 1, 1}, "-", "-", false},
        {0, -1, {1, 1, 1, 1, 1, 1, 1, 1}, "-", "-", false},
    };
    TForm1 form;
    auto* ui = form.Controls();
    const auto colourOf = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };

    form.Timer5->fire();
    EXPECT_EQ(ui->lbRS->text(), "0.0");
    EXPECT_EQ(ui->lbFix->text(), "1");
    EXPECT_EQ(colourOf(ui->lbRS), kWhite);

    QComboBox* rateBoxes[] = {ui->cbGLL, ui->cbRMC, ui->cbVTG, ui->cbGSA,
                              ui->cbGSV, ui->cbGGA, ui->cbZDA, ui->cbMCHN};
    for (const auto& c : cases) {
        const auto pick = [](QComboBox* box, int item, const char* typed) {
            if (item >= 0)
                SelectItem(box, item);
            else
                box->setEditText(QString::fromLatin1(typed));
        };
        pick(ui->cbBA, c.speed, "4801");
        pick(ui->cbFix, c.fix, "7");
        for (size_t i = 0; i < 8; ++i) pick(rateBoxes[i], c.rates[i], "0");
        form.Timer5->fire();

        const QColor colour = c.red ? kRed : kWhite;
        EXPECT_EQ(ui->lbRS->text().toStdString(), c.load);
        EXPECT_EQ(ui->lbFix->text().toStdString(), c.fix_) << c.load;
        EXPECT_EQ(colourOf(ui->lbRS), colour) << c.load;
        EXPECT_EQ(colourOf(ui->Label40), colour) << c.load;
    }
}

TEST(SkyView, GsvGroupThroughThePortRedrawsOnceAfterItsLastMessage) {
    Pty pty;
    TForm1 form;
    auto* ui = form.Controls();
    ui->ComboBox2->setEditText(QString::fromStdString(pty.Path()));
    ui->Button1->click();
    QSerialPort* port = form.State().PortHandle.get();
    ASSERT_TRUE(port);
    const auto tick = [&](VclTimer* timer, const std::string& bytes) {
        pty.Write(bytes);
        while (port->bytesAvailable() < static_cast<qint64>(bytes.size()) && port->waitForReadyRead(3000)) {
        }
        ASSERT_EQ(port->bytesAvailable(), static_cast<qint64>(bytes.size()));
        timer->fire();
    };
    tick(form.Timer3, CompleteSentence("$GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1"));
    ASSERT_TRUE(form.Timer1->enabled());
    tick(form.Timer1, CompleteSentence("$GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1"));
    ASSERT_EQ(ui->EdMode->text(), "3D");

    const std::string group[] = {
        CompleteSentence("$GPGSV,3,1,12,01,05,040,30,02,17,122,33,03,22,288,,04,00,000,41"),
        CompleteSentence("$GPGSV,3,2,12,05,20,100,28,06,60,100,44,07,40,083,,08,02,330,19"),
        CompleteSentence("$GPGSV,3,3,12,09,80,015,47,10,33,250,36,11,01,180,22,12,71,090,45"),
    };
    tick(form.Timer1, group[0]);
    tick(form.Timer1, group[1]);
    EXPECT_TRUE(ui->CheckBox3->isChecked());
    EXPECT_EQ(Pixel(form, 76, 6), kBackground);  // no ring yet: nothing redrawn
    EXPECT_TRUE(Points(form, "Series1").empty());
    EXPECT_EQ(form.State().SatelliteTable[8].Present, 1);

    tick(form.Timer1, group[2]);
    const auto bars = Points(form, "Series1");
    ASSERT_EQ(bars.size(), 12u);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(bars[n - 1].label, QString::number(n));
        EXPECT_EQ(bars[n - 1].color, n == 4 || n == 5 ? kGreen : kWhite) << n;
        EXPECT_EQ(form.State().SatelliteTable[n].Present, 0) << n;
    }
    EXPECT_EQ(Points(form, "Series2")[3].label, "41");
    ExpectMarker(form, 76, 16, kBlue, kWhite, "4");  // elevation 0, azimuth 0
    EXPECT_EQ(Pixel(form, 131 - 7, 85), kBlue);      // 5: elevation 20, azimuth 100
    ui->Button1->click();
}

}  // namespace
