// Small helpers shared by the windows: text crossing between the core's Windows-1251
// bytes and Qt, the program's fonts and colours, and running a command so that an
// error shows in a message box and stops only that command.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <exception>
#include <functional>
#include <string>

namespace korv::gui {

QString fromCp(const std::string& cp1251);
std::string toCp(const QString& text);
// The text of a name field for the data files. When it holds a character that
// Windows-1251 lacks, shows a message naming the field and returns false.
bool nameToCp(QWidget* parent, const QString& text, const QString& field, std::string& cp1251);

// "Arial" (substituted by a metric twin where Arial is not installed) at a pixel height.
QFont arialFont(int pixelHeight, bool bold = false);
void setBackground(QWidget* widget, const QColor& colour);

// Runs `command`; an exception is shown in a critical message box and the command stops.
// Returns false when it failed.
bool runGuarded(QWidget* parent, const std::function<void()>& command);
void showError(QWidget* parent, const QString& message);

}  // namespace korv::gui
