Sub S()
End Sub
