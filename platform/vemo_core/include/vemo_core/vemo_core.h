#pragma once

// Everything of the core library in one include.
#include "vemo_core/change_log.h"
#include "vemo_core/change_log_document.h"
#include "vemo_core/codes.h"
#include "vemo_core/editor.h"
#include "vemo_core/errors.h"
#include "vemo_core/events.h"
#include "vemo_core/notify.h"
#include "vemo_core/properties.h"
#include "vemo_core/sequence.h"
#include "vemo_core/show_record.h"
#include "vemo_core/song_log.h"
#include "vemo_core/std_midi.h"
#include "vemo_core/timeline_records.h"
#include "vemo_core/types.h"
#include "vemo_core/vemo_event.h"
#include "vemo_core/version.h"
