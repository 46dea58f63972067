# Installation rules and packaging live here.
