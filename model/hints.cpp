#include "model/trainer.h"
