#include "app/Dialogs.h"

#include <QEventLoop>
#include <QMessageBox>

const char* const kAppTitle = "Tarnell v1.1.0";

void ShowMessageBox(const QString& text, const QString& caption) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(box, &QObject::destroyed, &loop, &QEventLoop::quit);
    box->show();
    loop.exec();
}

void ErrorDisplay::Report(const QString& message) {
    if (Showing()) return;
    QString text = message;
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    auto* box = new QMessageBox(QMessageBox::Critical, QString::fromLatin1(kAppTitle), text,
                                QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box_ = box;
    box->show();
}
