// The package surface of tarvik-commerce: every name a caller of the pipeline
// uses, in tarvik::commerce (service classes, constant tables, the export
// functions and the destination fetcher under its pipeline name), with the
// records of tarvik::models they exchange.
#pragma once

#include "tarvik/fusion/aggregator.hpp"
#include "tarvik/merchants/classifier.hpp"
#include "tarvik/commerce/enricher.hpp"
#include "tarvik/facts/metadata.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/commerce/resolver.hpp"
#include "tarvik/links/unwrapper.hpp"
#include "tarvik/models/commerce.hpp"
#include "tarvik/models/common.hpp"
#include "tarvik/models/io.hpp"
#include "tarvik/models/shopping.hpp"
#include "tarvik/models/vizor.hpp"
