// The texture-table tests, run again with the GDI reader in a WGL context.
#include "tests/unit/render/texture_table_test.cpp"
