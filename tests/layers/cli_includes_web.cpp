// Wrong way: the command does not use the page's layer.
#include "web/web_document.h"
