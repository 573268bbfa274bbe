// The commerce pipeline's entry points and its asynchronous conventions.
#pragma once

#include "tarvik/commerce/async.hpp"
