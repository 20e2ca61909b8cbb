// All base and math services in one include: shared types, settings objects, colours, frames,
// marks, text helpers and streams, matrices, vectors, data tables and the numeric helpers.
#pragma once

#include "services/bytematrix.h"
#include "services/canvasutil.h"
#include "services/colorarray.h"
#include "services/crosshair.h"
#include "services/dtlabel.h"
#include "services/frame.h"
#include "services/marks.h"
#include "services/mathpack.h"
#include "services/notifier.h"
#include "services/rounding.h"
#include "services/stringutil.h"
#include "services/textlabel.h"
#include "services/textstream.h"
#include "services/types.h"
