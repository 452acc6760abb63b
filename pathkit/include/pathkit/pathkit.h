// The whole pathkit interface in one include.
#pragma once

#include "pathkit/RandSrc.h"
#include "pathkit/TSP.h"
#include "pathkit/TSPData.h"
#include "pathkit/Types.h"
#include "pathkit/Version.h"
