// Renders the window as it opens to a PNG, for the README and for a look by eye.
#include "ui/fonts.h"
#include "ui/form1.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: window_picture OUTPUT.png\n", stderr);
        return 2;
    }
    QApplication::setFont(vorlaine::ui::dialog_font());
    vorlaine::ui::Form1 form;
    form.show();
    QApplication::processEvents();
    const QImage image = form.grab().toImage();
    if (image.size() != form.size() * form.devicePixelRatio())
        return 1;
    // A picture of one colour would mean nothing was drawn.
    int differing = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            differing += image.pixel(x, y) != image.pixel(0, 0);
    if (differing < 500)
        return 1;
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
