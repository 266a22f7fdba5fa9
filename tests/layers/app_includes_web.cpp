// Wrong way: the window does not use the page's layer.
#include "web/web_document.h"
