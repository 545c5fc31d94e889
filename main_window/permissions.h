#pragma once

#include <cstddef>

// What the user may do with the loaded show: `edit` decides whether the change log can be edited
// (false while the show's change log needs a newer program), `sfx` whether the sound-effect
// manager may be used. Passed as one value: `edit` is its low byte, `sfx` the next.
struct Permissions {
    bool edit = false;
    bool sfx = false;
};

static_assert(sizeof(Permissions) == 2 && offsetof(Permissions, edit) == 0 && offsetof(Permissions, sfx) == 1,
              "Permissions travel as two bytes, edit first");
