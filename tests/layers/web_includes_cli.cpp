// Wrong way: the page and the command are two front ends; neither uses the other.
#include "cli/field_assignment.h"
