// The program's modal message box.
#pragma once

#include <QString>

class QWidget;

namespace vorlaine::ui {

// Shows `text` under `title` with one OK button and no icon, and returns once
// the user has closed it. A carriage return in `text` starts a new line.
void show_notice(QWidget* parent, const QString& text, const QString& title);

// A notice's text with its lines broken: notices end their lines with a bare
// carriage return. The sizing sheet prints them the same way.
QString notice_lines(QString text);

} // namespace vorlaine::ui
