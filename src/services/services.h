// All services of the base and math packages in one include: shared types, settings objects
// (text labels, crosshairs, date formats), colours, byte matrix, frames, marks, text helpers and
// text streams, and the math services.
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
#include "services/stringutil.h"
#include "services/textlabel.h"
#include "services/textstream.h"
#include "services/types.h"
