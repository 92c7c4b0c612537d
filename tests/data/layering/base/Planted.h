// Planted fault: a base header that reaches up into the profile layer.
#include "profile/CDataItem.h"
