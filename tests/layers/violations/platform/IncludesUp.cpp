// The framework layer that knows the list.
#include "listview/CKeywordListCtrl.h"
