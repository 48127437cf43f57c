#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/Dialogs.h"
#include "app/TForm1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromLatin1(kAppTitle));
    try {
        TForm1 Form1;
        Form1.show();
        app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QString::fromLatin1(kAppTitle), QString::fromLatin1(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QString::fromLatin1(kAppTitle), QString());
    }
    return 0;
}
