#include "tests/treeview/tree_fixture.h"
