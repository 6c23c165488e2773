# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build: -DTOLVARN_SANITIZE=ON
