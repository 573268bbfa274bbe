// The package surface of tarvik-commerce.
#pragma once

#include "tarvik/commerce/aggregator.hpp"
#include "tarvik/commerce/classifier.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/commerce/metadata.hpp"
#include "tarvik/commerce/normalizer.hpp"
#include "tarvik/commerce/unwrapper.hpp"
#include "tarvik/models/commerce.hpp"
#include "tarvik/models/common.hpp"
#include "tarvik/models/io.hpp"
#include "tarvik/models/shopping.hpp"
#include "tarvik/models/vizor.hpp"
