#pragma once

// "/i": shows the embedded patch's target product codes in one box,
// whether or not the run is quiet.
void ShowProductList();
