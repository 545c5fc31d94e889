import com.quorvane.vemo_ui

// Second name of the raised bevel.
BasicBevel {
}
