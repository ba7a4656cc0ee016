#pragma once

#include "spl/Request.h"

/// The box-by-box model's level at (X, Y), written out term by term in double
/// precision from its definition, with the library's functions: what the
/// model's fast passes are checked against.
double literalCoherentLevel(const spl::Request& request, double X, double Y);
