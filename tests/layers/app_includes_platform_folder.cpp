// Wrong way: the portable editor may use the platform interfaces, never a realisation.
#include "platform/posix/fd.h"
