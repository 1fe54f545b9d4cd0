// A library that reaches sideways into another of its layer.
#include "controls/CHoverButton.h"
