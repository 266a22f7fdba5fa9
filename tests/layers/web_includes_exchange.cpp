// Right way: the page's layer over data and exchange.
#include "web/web_document.h"
