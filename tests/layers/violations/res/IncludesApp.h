// Data that knows the main window.
#include "app/CKeywordsDlg.h"
