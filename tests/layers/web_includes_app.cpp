// Wrong way: the page's layer stands over data and exchange only, never the window.
#include "app/editor_controller.h"
