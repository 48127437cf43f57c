// Reception: the two receive pumps, their framers and the raw log.
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSerialPort>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <array>

#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "link/Framer.h"
#include "nmea/Exception.h"
#include "nmea/FieldScan.h"
#include "ui_TForm1.h"

namespace {

constexpr qint64 kChunkBytes = 1024;

// The console's length as its text with CR LF line breaks; the document keeps one separator per break.
int MemoLength(const QPlainTextEdit* memo) {
    const QTextDocument* doc = memo->document();
    return (doc->characterCount() - 1) + (doc->blockCount() - 1);
}

void AppendToMemo(QPlainTextEdit* memo, const std::string& line) {
    QTextCursor end(memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
}

void DeleteFirstMemoLine(QPlainTextEdit* memo) {
    QTextDocument* doc = memo->document();
    QTextCursor c(doc);
    c.beginEditBlock();  // no layout of a line that is about to go, only one after it has
    const QTextBlock second = doc->firstBlock().next();
    c.setPosition(second.isValid() ? second.position() : doc->characterCount() - 1, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    c.endEditBlock();
}

// One line's decoding: a malformed number ends that line's dispatch only; reception carries on.
template <class F>
void DecodeLine(TForm1& form, F&& decode) {
    try {
        decode();
    } catch (const tarnell::Exception& e) {
        form.ReportError(QString::fromLatin1(e.what()));
    }
}

// The main pump runs while a port is open and the start-up pump has stopped, whatever stopped it.
// A port closed from a message box inside a tick gets no pump back; a reopened one starts up again.
void ArmMainPump(TForm1& form) {
    if (form.State().PortHandle && !form.Timer3->enabled()) form.Timer1->setEnabled(true);
}

}  // namespace

void TForm1::Timer1Timer() {
    // A tick waiting in a message box (a port closed and reopened from there) holds the line being
    // framed and its chunk's place in the log: a tick of either pump comes again once it is over.
    if (PumpBusy) return;
    const QScopedValueRollback<bool> busy(PumpBusy, true);
    Timer1->setEnabled(false);
    MainPump();
    Timer1->setInterval(100);
    ArmMainPump(*this);
}

void TForm1::Timer3Timer() {
    if (PumpBusy) return;
    const QScopedValueRollback<bool> busy(PumpBusy, true);
    Timer3->setEnabled(true);
    StartupPump();
    Timer3->setInterval(100);
    ArmMainPump(*this);
}

namespace {

// At most one chunk of what the driver holds, without waiting; the line settings are read back first.
std::string ReadChunk(SharedState& s) {
    QSerialPort* port = s.PortHandle.get();
    if (!port || !port->isOpen()) return {};
    ReadPortSettings(*port, s.PortSettings);
    port->waitForReadyRead(0);
    const qint64 n = std::min(port->bytesAvailable(), kChunkBytes);
    if (n <= 0) return {};
    std::string chunk(static_cast<std::size_t>(n), '\0');
    const qint64 got = port->read(chunk.data(), n);
    chunk.resize(static_cast<std::size_t>(std::max<qint64>(got, 0)));
    return chunk;
}

const uint8_t* Bytes(const std::string& chunk) {
    return reinterpret_cast<const uint8_t*>(chunk.data());
}

}  // namespace

void TForm1::MainPump() {
    if (MemoLength(ui->Memo1) > 1000) ui->Memo1->clear();
    const std::string chunk = ReadChunk(S);
    if (chunk.empty()) return;
    const auto count = static_cast<int32_t>(chunk.size());
    MainFramer(Bytes(chunk), count);
    LogStep(Bytes(chunk), count);
}

void TForm1::StartupPump() {
    if (MemoLength(ui->Memo1) > 680) ui->Memo1->clear();
    const std::string chunk = ReadChunk(S);
    if (chunk.empty()) return;
    const auto count = static_cast<int32_t>(chunk.size());
    StartupFramer(Bytes(chunk), count);
    LogStep(Bytes(chunk), count);
}

void TForm1::MainFramer(const uint8_t* bytes, int32_t count) {
    tarnell::FrameChunk(bytes, count, S.SentenceLine, S.LineBytes, [this] {
        if (MemoLength(ui->Memo1) > 750) DeleteFirstMemoLine(ui->Memo1);
        if (!S.GpsPort.VerifyChecksum(S.LineBytes.Bytes.data(), S.LineBytes.Count)) return;
        AppendToMemo(ui->Memo1, S.SentenceLine);
        DecodeLine(*this, [this] { DispatchSentence(); });
    });
}

void TForm1::StartupFramer(const uint8_t* bytes, int32_t count) {
    tarnell::FrameChunk(bytes, count, S.SentenceLine, S.StartupLineBytes, [this] {
        if (MemoLength(ui->Memo1) > 680) DeleteFirstMemoLine(ui->Memo1);
        AppendToMemo(ui->Memo1, S.SentenceLine);
        if (S.GpsPort.VerifyChecksum(S.StartupLineBytes.Bytes.data(), S.StartupLineBytes.Count))
            DecodeLine(*this, [this] { StartupDecoder(); });
        else if (tarnell::Fragment(S.SentenceLine, 2, 7) == "PMTK514")
            Timer3->setEnabled(false);
    });
    ui->Memo1->viewport()->repaint();
}

void TForm1::LogStep(const uint8_t* bytes, int32_t count) {
    if (S.LogActive == 1 && S.LogHandle) {
        S.LogHandle->write(reinterpret_cast<const char*>(bytes), count);
        // On disk before the tick ends: a crash loses nothing already received.
        S.LogHandle->flush();
        ui->StartLog->setEnabled(false);
        ui->StopLog->setEnabled(true);
    } else {
        ui->StartLog->setEnabled(true);
        ui->StopLog->setEnabled(false);
    }
}

void TForm1::StartLogClick() {
    // Not the platform's dialog: ours can be driven on any platform, tests included.
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
    const QString path = SaveDialog1->selectedFiles().constFirst() + QStringLiteral(".TXT");

    StopLogClick();
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowMessageBox(QStringLiteral("Open Error"), QStringLiteral("Open Error"));
        return;
    }
    S.LogHandle = std::move(file);
    S.LogActive = 1;
}

void TForm1::StopLogClick() {
    S.LogActive = 0;
    if (S.LogHandle) S.LogHandle->close();
    S.LogHandle.reset();
}
