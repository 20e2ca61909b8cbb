// The math services in one include: matrices, vectors, data tables, percentiles, scale
// ranging, distances, random numbers and the small numeric helpers.
#pragma once

#include "services/datatable.h"
#include "services/distance.h"
#include "services/mathutil.h"
#include "services/matrix.h"
#include "services/percentile.h"
#include "services/random.h"
#include "services/scalepars.h"
#include "services/vector.h"
