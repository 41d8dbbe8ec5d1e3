// The ways into the load list's window from the main window: Ctrl+L, and an
// entry in the context menu of 负载功率 and 日平均工作时间. Nothing of the
// list is built until one is used.
#pragma once

class QWidget;

namespace vorlaine::ui {

void offer_load_list(QWidget* form);

} // namespace vorlaine::ui
