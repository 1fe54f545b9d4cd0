// A Qt-Core-only source that reaches for a widget.
#include <QWidget>
