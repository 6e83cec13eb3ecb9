#include "app/gui/gui_support.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <cstdio>

#include "common/text.h"

namespace korv::gui {

QString fromCp(const std::string& cp1251) { return QString::fromStdString(cp1251ToUtf8(cp1251)); }

std::string toCp(const QString& text) { return utf8ToCp1251(text.toStdString()); }

bool nameToCp(QWidget* parent, const QString& text, const QString& field, std::string& cp1251) {
    if (!isCp1251Representable(text.toStdString())) {
        QMessageBox::information(parent, "Korvinaut 7",
                                 field + QString::fromUtf8(": есть символы, которых нет в кириллической кодировке "
                                                           "Windows-1251. Замените их, пожалуйста."));
        return false;
    }
    cp1251 = toCp(text);
    return true;
}

QFont arialFont(int pixelHeight, bool bold) {
    QFont font("Arial");
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void showError(QWidget* parent, const QString& message) {
    // Also on the terminal, for a program started from one (and for scripted runs).
    std::fprintf(stderr, "korvinaut: %s\n", message.toUtf8().constData());
    QMessageBox::critical(parent, "Korvinaut 7", message);
}

bool runGuarded(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        // A command may have set the hourglass; the message box needs the arrow.
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
        showError(parent, QString::fromStdString(e.what()));
        return false;
    }
}

}  // namespace korv::gui
