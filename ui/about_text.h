// The text of the information box shown on a double click on the window.
#pragma once

#include <QString>

namespace vorlaine::ui {

inline QString about_title() {
    return QStringLiteral("信息");
}

// Four lines joined by a bare carriage return, blanks included as shown.
inline QString about_text() {
    return QStringLiteral("         Vorlaine             版本: 1.0 \r"
                          "      此软件仅供大家参考 , 如有问题 , 请多多指教 ! \r"
                          "编者:Vorlaine开发组  E-mail:vorlaine@example.org  QQ:无\r"
                          "         Hollandry!");
}

} // namespace vorlaine::ui
