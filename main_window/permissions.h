#pragma once

// What the user may do with the loaded show: edit its change log (false while the change log is
// read-only) and use sound effects.
struct Permissions {
    bool edit = false;
    bool sfx = false;
};
