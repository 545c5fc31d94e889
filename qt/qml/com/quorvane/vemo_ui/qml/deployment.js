.pragma library

// Web addresses that belong to a deployment rather than to the program: the end-user licence
// agreement opened from the About window, and the support page opened from the Help menu.
var licenseAgreementUrl = "https://www.quorvane.com/legal/eula"
var supportPageUrl = "https://www.quorvane.com/support"
