# End-to-end cases under Wine; registered by the e2e configure preset.
