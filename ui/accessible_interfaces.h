// The accessible interfaces of the window's own objects, made by a factory
// that Qt asks before its own.
#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QRadioButton;
class QWidget;

namespace vorlaine::ui {

// The dynamic property of a result label that says what the label shows.
inline constexpr char kResultProperty[] = "vorlaine_result";

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

// Registers the factory; later calls do nothing.
void install_accessible_factory();

// Forgets the interface Qt may already have made for `object`, so that the
// next query builds it again, through the factory.
void rebuild_accessible(QObject* object);

} // namespace vorlaine::ui
