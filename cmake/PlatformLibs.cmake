# Libraries of the platform layer (engine/platform). Each backend that needs one adds it here.
