#include "host/image/BT_Types.h"

static_assert(sizeof(Integer) == 4, "catalogue fields and buffer words are 32-bit");
