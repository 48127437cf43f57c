#include "app/Look.h"

#include <QFont>

#include "ui_TForm1.h"

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QString::fromUtf8("宋体"), QStringLiteral("WenQuanYi Micro Hei"));
}

void ApplyStartupColours(Ui::TForm1*) {}
