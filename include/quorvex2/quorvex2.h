#pragma once
// The whole public interface of the Quorvex2 component.
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/core/types.h"
#include "quorvex2/core/value_types.h"
#include "quorvex2/core/version.h"
