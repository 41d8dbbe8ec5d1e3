// The accessible interfaces of the window's own objects, made by a factory
// that Qt asks before its own, and only when a screen reader asks.
#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QRadioButton;
class QWidget;

namespace vorlaine::ui {

// The options of a frame as one group: no widget of its own, only a node of
// the accessible tree between the frame and its options.
class OptionGroup : public QObject {
public:
    OptionGroup(QWidget* frame, QString name);
    const QString& name() const { return name_; }
    QWidget* frame() const;
    std::vector<QRadioButton*> options() const;
    static OptionGroup* of(const QWidget* frame);

private:
    QString name_;
};

// Registers the factory; later calls do nothing. Qt keeps the first
// interface it makes for an object, so this comes before the first control.
void install_accessible_factory();

} // namespace vorlaine::ui
