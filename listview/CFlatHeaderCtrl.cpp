#include "CFlatHeaderCtrl.h"

CFlatHeaderCtrl::CFlatHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
