// Puts every model variable back to its value at program start.
#ifndef VELTO_TEST_MODEL_RESET_H
#define VELTO_TEST_MODEL_RESET_H

void ResetModel();

#endif
