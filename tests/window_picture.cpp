// Renders the window as it opens to a PNG, for the README and for a look by eye;
// with --load-list, beside it the load list of three appliances, filled in and
// calculated.
#include "ui/fonts.h"
#include "ui/form1.h"
#include "ui/load_list_window.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>

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
    QImage image = form.grab().toImage();
    if (argc > 2 && QLatin1String(argv[2]) == QLatin1String("--load-list")) {
        auto* list = vorlaine::ui::LoadListWindow::open(&form);
        for (const auto& row : {QStringList{"灯", "4", "10", "5"},
                                {"电视", "1", "80", "3"},
                                {"冰箱", "1", "150", "24"}}) {
            list->add_row();
            for (int c = 0; c < 4; ++c)
                list->table()->item(list->table()->rowCount() - 1, c)->setText(row[c]);
        }
        list->fill_window();
        for (const auto& [box, text] : {std::pair{"Text2", "12"}, {"Text9", "5"}, {"Text10", "30"}})
            form.findChild<QLineEdit*>(QLatin1String(box))->setText(QLatin1String(text));
        form.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QApplication::processEvents();
        const QImage window = form.grab().toImage();
        const QImage second = list->grab().toImage();
        image = QImage(window.width() + second.width() + 16,
                       std::max(window.height(), second.height()), QImage::Format_RGB32);
        image.fill(QColor(0xd8, 0xd8, 0xd8));
        QPainter painter(&image);
        painter.drawImage(0, 0, window);
        painter.drawImage(window.width() + 16, 0, second);
    } else if (image.size() != form.size() * form.devicePixelRatio()) {
        return 1;
    }
    // A picture of one colour would mean nothing was drawn.
    int differing = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            differing += image.pixel(x, y) != image.pixel(0, 0);
    if (differing < 500)
        return 1;
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
