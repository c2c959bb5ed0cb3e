#pragma once
// The whole public interface of the Quorvex2 component.
#include "quorvex2/core/version.h"
