#include "vemo_core/change_log_document.h"
