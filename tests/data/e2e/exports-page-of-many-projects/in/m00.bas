Public Sub S0()
  ' step 0
End Sub
