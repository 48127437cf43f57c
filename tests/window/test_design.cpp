// The window as it stands right after creation: controls, captions, items, start
// values, colours and fonts, and the stacking that hides the covered groups.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <set>

#include "app/Combo.h"
#include "app/Look.h"
#include "app/TForm1.h"
#include "ui_TForm1.h"

namespace {

struct Row {
    const char* name;
    const char* cls;
    const char* what;
    const char* expected;
};

QString Rect(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString Items(const QComboBox* box) {
    if (box->count() == 0) return QStringLiteral("0");
    return QStringLiteral("%1 %2..%3")
        .arg(box->count())
        .arg(box->itemText(0), box->itemText(box->count() - 1));
}

QString FontText(const QFont& f) {
    return QStringLiteral("%1 %2%3").arg(f.family()).arg(f.pointSize()).arg(f.bold() ? " bold" : "");
}

// The colour a widget shows behind its content: its own fill or, when it fills
// nothing, whatever the nearest filling ancestor shows.
QString Background(const QWidget* w) {
    while (w && !w->autoFillBackground() && !w->isWindow()) w = w->parentWidget();
    return w ? w->palette().color(QPalette::Window).name() : QString();
}

int StackIndex(const QObject* o) {
    return o->parent()->children().indexOf(const_cast<QObject*>(o));
}

QString Probe(QObject* o, const QString& what) {
    auto* w = qobject_cast<QWidget*>(o);
    if (what == "geometry") return Rect(w->geometry());
    if (what == "items") return Items(qobject_cast<QComboBox*>(o));
    if (what == "selected") return QString::number(SelectedItem(qobject_cast<QComboBox*>(o)));
    if (what == "font") return FontText(w->font());
    if (what == "shown font") return QFontInfo(w->font()).family();
    if (what == "background") return Background(w);
    if (what == "text colour") return w->palette().color(QPalette::WindowText).name();
    if (what == "base") return w->palette().color(QPalette::Base).name();
    if (what == "page") return qobject_cast<QTabWidget*>(o)->currentWidget()->objectName();
    if (what == "tabs") {
        auto* tabs = qobject_cast<QTabWidget*>(o);
        QStringList t;
        for (int i = 0; i < tabs->count(); ++i) t << tabs->widget(i)->objectName() + "=" + tabs->tabText(i);
        return t.join(' ');
    }
    if (what == "icon") {
        const QList<QSize> sizes = w->windowIcon().availableSizes();
        return sizes.isEmpty() ? QString()
                               : QStringLiteral("%1x%2").arg(sizes[0].width()).arg(sizes[0].height());
    }
    if (what.startsWith("above ")) {  // lies above every named sibling; answers their joint area
        QRect joint;
        for (const QString& n : what.mid(6).split('+')) {
            auto* s = o->parent()->findChild<QWidget*>(n, Qt::FindDirectChildrenOnly);
            if (!s || StackIndex(s) > StackIndex(o)) return n + " on top";
            joint |= s->geometry();
        }
        return Rect(joint);
    }
    if (what == "header") {
        auto* grid = qobject_cast<QTableWidget*>(o);
        QStringList h;
        for (int c = 0; c < grid->columnCount(); ++c)
            h << QStringLiteral("%1:%2").arg(grid->horizontalHeaderItem(c)->text()).arg(grid->columnWidth(c));
        return h.join(' ');
    }
    if (what == "header font") return FontText(qobject_cast<QTableWidget*>(o)->horizontalHeader()->font());
    if (what == "grid") {
        auto* grid = qobject_cast<QTableWidget*>(o);
        std::set<int> heights;
        for (int r = 0; r < grid->rowCount(); ++r) heights.insert(grid->rowHeight(r));
        return QStringLiteral("%1 rows of %2, row numbers %3, editing %4")
            .arg(grid->rowCount())
            .arg(heights.size() == 1 ? QString::number(*heights.begin()) : QStringLiteral("mixed"))
            .arg(grid->verticalHeader()->isHidden() ? "hidden" : "shown")
            .arg(grid->editTriggers() == QAbstractItemView::NoEditTriggers ? "off" : "on");
    }
    if (what == "file") {
        auto* dialog = qobject_cast<QFileDialog*>(o);
        const QStringList files = dialog->selectedFiles();
        return (files.isEmpty() ? QString() : QFileInfo(files[0]).fileName()) + " " +
               dialog->nameFilters().join(';');
    }
    const QVariant v = o->property(what.toLatin1());
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? "true" : "false";
    return v.toString();
}

// clang-format off
const Row kDesign[] = {
    {"TForm1", "TForm1", "windowTitle", "Tarnell v1.1.0"},
    {"TForm1", "TForm1", "font", "MS Sans Serif 8"},
    {"TForm1", "TForm1", "icon", "48x48"},
    {"PageControl1", "QTabWidget", "geometry", "0,0 657x433"},
    {"PageControl1", "QTabWidget", "tabs", "TabSheet1=Status TabSheet2=Setup TabSheet3=Channel"},
    {"PageControl1", "QTabWidget", "page", "TabSheet1"},

    // Status page
    {"GroupBox1", "QGroupBox", "geometry", "0,315 177x89"},
    {"GroupBox1", "QGroupBox", "title", ""},
    {"GroupBox1", "QGroupBox", "background", "#0749ad"},
    {"Label1", "QLabel", "text", "GGA"},
    {"Label1", "QLabel", "text colour", "#ffffff"},
    {"Label28", "QLabel", "text", "MCHN"},
    {"CheckBox7", "QCheckBox", "geometry", "8,60 16x17"},
    {"CheckBox9", "QCheckBox", "geometry", "72,60 17x17"},
    {"CheckBox9", "QCheckBox", "text", ""},
    {"GroupBox2", "QGroupBox", "geometry", "0,226 177x97"},
    {"EdDate", "QLineEdit", "geometry", "8,28 161x21"},
    {"EdTime", "QLineEdit", "geometry", "8,68 161x21"},
    {"EdDate", "QLineEdit", "base", "#ffffff"},
    {"EdDate", "QLineEdit", "shown font", "Liberation Sans"},
    {"GroupBox3", "QGroupBox", "geometry", "175,227 185x177"},
    {"TheTime", "QLabel", "text", "TheTime"},
    {"EdLat", "QLineEdit", "geometry", "8,28 81x21"},
    {"EdMode", "QLineEdit", "geometry", "96,28 81x21"},
    {"EdHeight", "QLineEdit", "geometry", "96,108 81x21"},
    {"Edit1", "QLineEdit", "geometry", "8,148 169x21"},
    {"Edit1", "QLineEdit", "text", "0"},
    {"EdLat", "QLineEdit", "text", ""},
    {"GroupBox4", "QGroupBox", "geometry", "0,0 360x233"},
    {"Label2", "QLabel", "geometry", "8,17 120x16"},
    {"Label2", "QLabel", "text", "Please choose\uff1a"},
    {"Label2", "QLabel", "font", "\u5b8b\u4f53 12"},
    {"Label2", "QLabel", "shown font", "WenQuanYi Micro Hei"},
    {"Label2", "QLabel", "background", "#0749ad"},
    {"Label2", "QLabel", "text colour", "#ffffff"},
    {"Memo1", "QPlainTextEdit", "geometry", "8,42 345x182"},
    {"Memo1", "QPlainTextEdit", "plainText", ""},
    {"Memo1", "QPlainTextEdit", "horizontalScrollBarPolicy", "ScrollBarAlwaysOn"},
    {"Memo1", "QPlainTextEdit", "verticalScrollBarPolicy", "ScrollBarAlwaysOn"},
    {"ComboBox1", "QComboBox", "geometry", "120,16 81x21"},
    {"ComboBox1", "QComboBox", "items", "7 4800..115200"},
    {"ComboBox1", "QComboBox", "currentText", "115200"},
    {"ComboBox1", "QComboBox", "selected", "-1"},
    {"ComboBox2", "QComboBox", "geometry", "224,16 57x21"},
    {"ComboBox2", "QComboBox", "items", "20 COM1..COM20"},
    {"ComboBox2", "QComboBox", "currentText", "COM1"},
    {"ComboBox2", "QComboBox", "selected", "-1"},
    {"Button1", "QPushButton", "geometry", "304,16 49x20"},
    {"Button1", "QPushButton", "text", "On"},
    {"GroupBox5", "QGroupBox", "geometry", "358,0 291x233"},
    {"Image1", "TImage", "geometry", "8,16 153x153"},
    {"Shape1", "QFrame", "geometry", "84,33 1x120"},
    {"Shape2", "QFrame", "geometry", "25,92 120x1"},
    {"N", "QLabel", "geometry", "80,16 8x13"},
    {"E", "QLabel", "geometry", "152,88 7x13"},
    {"S", "QLabel", "geometry", "80,153 7x13"},
    {"W", "QLabel", "geometry", "8,88 11x13"},
    {"N", "QLabel", "background", "#c0dcc0"},
    {"W", "QLabel", "text colour", "#000000"},
    {"hot", "QPushButton", "geometry", "168,16 57x25"},
    {"warm", "QPushButton", "text", "warm"},
    {"cold", "QPushButton", "geometry", "168,104 57x25"},
    {"StartLog", "QPushButton", "geometry", "168,144 57x25"},
    {"StopLog", "QPushButton", "geometry", "224,144 57x25"},
    {"GroupBox6", "QGroupBox", "geometry", "360,232 289x172"},
    {"GroupBox6", "QGroupBox", "title", "GroupBox6"},
    {"Chart1", "TChart", "geometry", "-2,0 290x171"},
    {"Chart1", "TChart", "background", "#0749ad"},

    // Setup page
    {"GroupBox7", "QGroupBox", "geometry", "0,0 337x177"},
    {"GroupBox7", "QGroupBox", "title", "NMEA Output Settings"},
    {"GroupBox7", "QGroupBox", "font", "MS Sans Serif 8"},
    {"GroupBox7", "QGroupBox", "text colour", "#ffffff"},
    {"GroupBox7", "QGroupBox", "background", "#0749ad"},
    {"MCHN", "QLabel", "text", "MCHN"},
    {"cbGLL", "QComboBox", "geometry", "32,16 69x21"},
    {"cbMCHN", "QComboBox", "geometry", "149,64 69x21"},
    {"cbGGA", "QComboBox", "geometry", "260,40 69x21"},
    {"cbGSV", "QComboBox", "items", "6 0..5"},
    {"cbZDA", "QComboBox", "selected", "0"},
    {"cbZDA", "QComboBox", "currentText", "0"},
    {"cbGLL", "QComboBox", "base", "#ffffff"},
    {"btDefault", "QPushButton", "geometry", "8,96 56x21"},
    {"btDefault", "QPushButton", "font", "MS Sans Serif 6"},
    {"btNAQuery", "QPushButton", "geometry", "84,96 56x21"},
    {"btConfirm", "QPushButton", "text", "Confirm"},
    {"GroupBox14", "QGroupBox", "title", "Fix Update Rate"},
    {"cbFix", "QComboBox", "geometry", "8,16 41x21"},
    {"cbFix", "QComboBox", "items", "5 1..5"},
    {"cbFix", "QComboBox", "selected", "0"},
    {"btFixSet", "QPushButton", "geometry", "108,16 43x21"},
    {"GroupBox15", "QGroupBox", "geometry", "172,120 158x49"},
    {"cbBA", "QComboBox", "items", "7 4800..115200"},
    {"cbBA", "QComboBox", "selected", "0"},
    {"btBAUSet", "QPushButton", "geometry", "106,16 43x21"},
    {"GroupBox18", "QGroupBox", "geometry", "224,64 105x54"},
    {"GroupBox18", "QGroupBox", "title", "rs232 baudwith"},
    {"GroupBox18", "QGroupBox", "background", "#0749ad"},
    {"lbFix", "QLabel", "text", "1"},
    {"lbFix", "QLabel", "font", "MS Sans Serif 8 bold"},
    {"lbRS", "QLabel", "geometry", "20,32 26x20"},
    {"lbRS", "QLabel", "text", "0.0"},
    {"lbRS", "QLabel", "font", "MS Sans Serif 12 bold"},
    {"lbRS", "QLabel", "text colour", "#ffffff"},
    {"Label40", "QLabel", "text", "%"},
    {"GroupBox8", "QGroupBox", "title", "DGPS"},
    {"Label17", "QLabel", "text", "RTCM Baudrate :"},
    {"rbWAAS", "QRadioButton", "text", "SBAS"},
    {"rbWAAS", "QRadioButton", "text colour", "#ffffff"},
    {"rbRTCM", "QRadioButton", "geometry", "96,16 17x17"},
    {"rbDisable", "QRadioButton", "checked", "true"},
    {"rbWAAS", "QRadioButton", "checked", "false"},
    {"cbRTCMBD", "QComboBox", "geometry", "112,40 105x21"},
    {"cbRTCMBD", "QComboBox", "items", "7 4800..115200"},
    {"cbRTCMBD", "QComboBox", "currentText", "4800"},
    {"cbRTCMBD", "QComboBox", "selected", "-1"},
    {"btDGPSSet", "QPushButton", "geometry", "278,40 43x21"},
    {"GroupBox9", "QGroupBox", "geometry", "0,256 337x65"},
    {"cbDatum", "QComboBox", "geometry", "24,16 193x21"},
    {"cbDatum", "QComboBox", "count", "223"},
    {"cbDatum", "QComboBox", "currentText", "(0)WGS1984\"International\""},
    {"cbDatum", "QComboBox", "selected", "-1"},
    {"GroupBox10", "QGroupBox", "title", "SBAS"},
    {"Label21", "QLabel", "text", "Some experimental SVs, please set \"Test\" mode."},
    {"rbIntegrity", "QRadioButton", "geometry", "24,136 57x17"},
    {"rbTest", "QRadioButton", "geometry", "104,136 73x17"},
    {"btSBASQuery", "QPushButton", "geometry", "246,136 43x21"},
    {"GroupBox11", "QGroupBox", "title", "Write setting into flash (remian      times to modify)  "},
    {"lbTimes", "QLabel", "text", ""},
    {"Label22", "QLabel", "text", "Depend on [All Settings] in Setup page."},
    {"CheckBox8", "QCheckBox", "geometry", "24,40 17x17"},
    {"btAllQuery", "QPushButton", "geometry", "248,40 43x21"},
    {"GroupBox16", "QGroupBox", "title", "Current"},
    {"lbTest", "QLabel", "text", "Disable"},
    {"Label35", "QLabel", "text", "Text Mode (rapidly drop current while fix)"},
    {"cbTest", "QCheckBox", "geometry", "24,56 17x17"},
    {"GroupBox19", "QGroupBox", "title", "Firmware Version"},
    {"GroupBox19", "QGroupBox", "geometry", "0,0 337x85"},
    {"GroupBox19", "QGroupBox", "background", "#0749ad"},
    {"Label26", "QLabel", "font", "MS Sans Serif 10 bold"},
    {"Label27", "QLabel", "text", ""},
    {"btVerQuery", "QPushButton", "geometry", "226,32 43x21"},
    {"GroupBox17", "QGroupBox", "title", "NMEA  Output"},
    {"GroupBox17", "QGroupBox", "background", "#0749ad"},
    {"Label33", "QLabel", "text", "misunderstanding it as a mousee."},
    {"btWakeup", "QPushButton", "geometry", "216,80 75x21"},
    {"btWakeup", "QPushButton", "text", "Wake Up"},
    {"GroupBox12", "QGroupBox", "title", "About"},
    {"GroupBox12", "QGroupBox", "geometry", "336,176 313x229"},
    {"GroupBox12", "QGroupBox", "above GroupBox11+GroupBox17", "336,176 313x229"},
    {"Label23", "QLabel", "geometry", "80,40 137x37"},
    {"Label23", "QLabel", "text", "Tarnell"},
    {"Label23", "QLabel", "font", "MS Sans Serif 24 bold"},
    {"Label23", "QLabel", "shown font", "Liberation Sans"},

    // Channel page
    {"GroupBox13", "QGroupBox", "geometry", "0,-4 649x409"},
    {"StringGrid1", "QTableWidget", "geometry", "0,6 649x400"},
    {"StringGrid1", "QTableWidget", "header", "Channel:120 SVid:120 SNR:120 Status:260"},
    {"StringGrid1", "QTableWidget", "grid", "32 rows of 15, row numbers hidden, editing off"},
    {"StringGrid1", "QTableWidget", "base", "#ffffff"},
    {"StringGrid1", "QTableWidget", "header font", "MS Sans Serif 8"},

    // Components without a place on the screen
    {"Timer1", "VclTimer", "enabled", "false"}, {"Timer1", "VclTimer", "interval", "1000"},
    {"Timer2", "VclTimer", "enabled", "true"},  {"Timer2", "VclTimer", "interval", "1000"},
    {"Timer3", "VclTimer", "enabled", "false"}, {"Timer3", "VclTimer", "interval", "100"},
    {"Timer4", "VclTimer", "enabled", "false"}, {"Timer4", "VclTimer", "interval", "500"},
    {"Timer5", "VclTimer", "enabled", "true"},  {"Timer5", "VclTimer", "interval", "100"},
    {"SaveDialog1", "QFileDialog", "file", "mytest *.txt (*.txt)"},
};
// clang-format on

TEST(Design, EveryControlStartsAsDesigned) {
    TForm1 form;
    for (const Row& row : kDesign) {
        QObject* o = QString(row.name) == "TForm1" ? &form : form.findChild<QObject*>(row.name);
        ASSERT_NE(o, nullptr) << row.name;
        EXPECT_TRUE(o->inherits(row.cls)) << row.name << " is a " << o->metaObject()->className();
        EXPECT_EQ(Probe(o, row.what).toStdString(), std::string(row.expected)) << row.name << " " << row.what;
    }
}

TEST(Design, OnlyTheDisplayAndPortControlsStartDisabled) {
    TForm1 form;
    // Button1 is the only button usable before a port is open.
    const std::set<QString> disabled = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                        "CheckBox5", "CheckBox6", "CheckBox7", "CheckBox9",
                                        "CheckBox8", "cbTest",    "rbRTCM",    "cbRTCMBD"};
    std::set<QString> seen;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_") || w->window() != &form) continue;
        const bool expectOff = disabled.count(w->objectName()) ||
                               (qobject_cast<QPushButton*>(w) && w->objectName() != "Button1");
        EXPECT_EQ(w->isEnabled(), !expectOff) << w->objectName().toStdString();
        if (!w->isEnabled() && !qobject_cast<QPushButton*>(w)) seen.insert(w->objectName());
    }
    EXPECT_EQ(seen, disabled);
}

TEST(Design, ComboBoxesAreEditableAndKeepTypedTextOutOfTheirLists) {
    TForm1 form;
    QList<QComboBox*> boxes = form.findChildren<QComboBox*>();
    boxes.removeIf([&](QComboBox* b) { return b->window() != &form; });  // the save dialog's own
    ASSERT_EQ(boxes.size(), 14);
    for (QComboBox* box : boxes) {
        EXPECT_TRUE(box->isEditable()) << box->objectName().toStdString();
        EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert) << box->objectName().toStdString();
    }
}

// The covered groups exist, but a click or a look at their place reaches the group on top.
TEST(Design, AboutAndFirmwareGroupsCoverTheControlsBeneath) {
    TForm1 form;
    Ui::TForm1* ui = form.Controls();
    const auto topAt = [](QWidget* covered) {
        QWidget* page = covered->window()->findChild<QWidget*>("TabSheet2");
        return page->childAt(covered->mapTo(page, covered->rect().center()));
    };
    for (QWidget* w : std::initializer_list<QWidget*>{ui->btAllSet, ui->btAllQuery, ui->CheckBox8,
                                                      ui->btWakeup, ui->Label31})
        EXPECT_TRUE(ui->GroupBox12->isAncestorOf(topAt(w)) || topAt(w) == ui->GroupBox12)
            << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{ui->cbTest, ui->Label30, ui->lbTest})
        EXPECT_TRUE(ui->GroupBox19->isAncestorOf(topAt(w)) || topAt(w) == ui->GroupBox19)
            << w->objectName().toStdString();
    // The SBAS group and the datum row stay reachable.
    EXPECT_EQ(topAt(ui->btSBASSet), ui->btSBASSet);
    EXPECT_EQ(topAt(ui->btDatumSet), ui->btDatumSet);
}

// What the screen shows: the cross and the compass letters lie over the sky view,
// and the channel number column stays grey whatever writes its cells.
TEST(Design, SkyViewCrossAndFixedColumnAreDrawn) {
    TForm1 form;
    Ui::TForm1* ui = form.Controls();
    form.show();
    QCoreApplication::processEvents();
    const QImage box = ui->GroupBox5->grab().toImage();
    EXPECT_EQ(QColor(box.pixel(84, 40)), QColor(Qt::black));  // vertical line
    EXPECT_EQ(QColor(box.pixel(40, 92)), QColor(Qt::black));  // horizontal line
    bool letterInk = false;
    for (int x = 80; x < 88; ++x)
        for (int y = 16; y < 29; ++y) letterInk |= QColor(box.pixel(x, y)).lightness() < 80;
    EXPECT_TRUE(letterInk) << "the N is not drawn over the image";

    ui->StringGrid1->setItem(0, 0, new QTableWidgetItem("1"));
    ui->StringGrid1->setItem(1, 1, new QTableWidgetItem("12"));
    ui->PageControl1->setCurrentIndex(2);
    QCoreApplication::processEvents();
    QTableWidget* g = ui->StringGrid1;
    const QImage grid = g->grab().toImage();
    const int y = g->viewport()->mapTo(g, QPoint(0, g->rowViewportPosition(0) + 7)).y();
    const QColor fixedCell(grid.pixel(100, y)), plainCell(grid.pixel(230, y));
    EXPECT_EQ(plainCell, QColor(Qt::white));
    EXPECT_LT(fixedCell.lightness(), plainCell.lightness());
    EXPECT_EQ(QColor(grid.pixel(100, y + 15)), fixedCell) << "an empty cell of the column looks the same";
    EXPECT_TRUE(g->verticalScrollBar()->isVisible()) << "33 rows of 15 pixels exceed the grid's height";
}

TEST(Design, NoCaptionIsCutWithTheSubstitutedFonts) {
    TForm1 form;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        if (w->window() != &form) continue;
        EXPECT_LE(CaptionOverrun(w), 0) << w->objectName().toStdString();
    }
}

TEST(Design, FitCaptionsTightensOnlyWhatWouldBeCut) {
    QWidget parent;
    parent.resize(400, 40);
    QLabel longText(QStringLiteral("to avoid some experimental SVs affect"), &parent);
    longText.setGeometry(10, 0, 300, 13);
    QLabel shortText(QStringLiteral("fits"), &parent);
    shortText.setGeometry(10, 20, 40, 13);
    // The parent's edge, not the label's own width, is what cuts the text: 3 pixels short.
    const int ink = CaptionOverrun(&longText) + 300;
    parent.resize(10 + ink - 3, 40);
    ASSERT_EQ(CaptionOverrun(&longText), 3);

    FitCaptions(&parent);
    EXPECT_LE(CaptionOverrun(&longText), 0);
    EXPECT_EQ(longText.geometry(), QRect(10, 0, 300, 13));
    EXPECT_EQ(shortText.font().letterSpacing(), 0.0);
}

}  // namespace
